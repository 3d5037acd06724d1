#include "sim/device_traits.hpp"

#include <algorithm>
#include <array>

namespace korvane::sim {

namespace {

struct ModelTraits {
  std::string_view device_attr;
  DeviceTraits traits;
};

// Three sensors from three different rows of the DPI tables, one rate
// capability each.
constexpr std::array kModels{
    ModelTraits{"korvane_arc_8k", {150, 0x40, 0x0105, {1, 0x05}, 90, 1}},
    ModelTraits{"korvane_arc_mini", {25, 0x20, 0x0102, {1, 0x02}, 75, 1}},
    ModelTraits{"korvane_slate", {4, 0x10, 0x0101, {1, 0x00}, 0, 0}},
};

}  // namespace

DeviceTraits TraitsOf(std::string_view device_attr) {
  const auto found =
      std::find_if(kModels.begin(), kModels.end(), [&](const ModelTraits& m) { return m.device_attr == device_attr; });
  return found != kModels.end() ? found->traits : DeviceTraits{};
}

}  // namespace korvane::sim
