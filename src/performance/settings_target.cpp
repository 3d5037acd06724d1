#include "performance/settings_target.hpp"

#include <algorithm>
#include <charconv>
#include <limits>

#include "store/config_table.hpp"

namespace korvane {

long long TypedNumber(const std::string& text) {
  std::size_t at = text.find_first_not_of(" \t");
  if (at == std::string::npos) return 0;
  if (text[at] == '+') ++at;
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    return text[at] == '-' ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
  }
  if (error != std::errc{}) return 0;
  return std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

int ConfigInt(ConfigStore& store, int profile, ConfigKey key) {
  std::string text;
  GetConfigValue(store, profile, key, text);
  return static_cast<int>(TypedNumber(text));
}

void SetConfigInt(ConfigStore& store, int profile, ConfigKey key, int value) {
  SetConfigValue(store, profile, key, std::to_string(value));
}

}  // namespace korvane
