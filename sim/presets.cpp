#include "sim/presets.hpp"

#include <algorithm>
#include <array>

#include "catalog/catalog_file.hpp"
#include "catalog/model_definition.hpp"
#include "common/colour.hpp"
#include "sim/device_traits.hpp"
#include "sim/sensor_codes.hpp"

namespace korvane::sim {

namespace {

// Used when a model's definition file lacks a DPI level.
constexpr std::array kFallbackDpi{400, 800, 1600, 3200, 4800, 6400};
constexpr std::array<Colour, kLightColours> kLightColourDefaults{
    {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0, 255, 255}, {255, 255, 0}, {255, 0, 255}, {255, 255, 255}}};
// Left, right, middle, back, forward, DPI cycle; the other entries do nothing.
constexpr std::array<std::uint8_t, 18> kDefaultButtons{0x10, 0x01, 0x00, 0x10, 0x02, 0x00, 0x10, 0x04, 0x00,
                                                       0x10, 0x08, 0x00, 0x10, 0x10, 0x00, 0x40, 0x01, 0x00};
// Order in which the first enabled effect becomes the factory effect.
constexpr std::array<int, kLightModes> kEffectOrder{1, 2, 3, 4, 5, 0};

std::vector<int> ModesOf(Preset preset) {
  switch (preset) {
    case Preset::kWired:
      return {kWired};
    case Preset::kReceiver:
    case Preset::kReceiverUnlinked:
      return {kReceiver};
    case Preset::kBoth:
      return {kWired, kReceiver};
  }
  return {};
}

const CatalogEntry* FindMode(const DeviceCatalog& catalog, int device_type, int mode) {
  const auto found = std::find_if(catalog.interfaces.begin(), catalog.interfaces.end(), [&](const CatalogEntry& e) {
    return e.device_type == device_type && e.mode == mode;
  });
  return found != catalog.interfaces.end() ? &*found : nullptr;
}

bool HasModes(const DeviceCatalog& catalog, const CatalogEntry& model, const std::vector<int>& modes) {
  return std::all_of(modes.begin(), modes.end(),
                     [&](int mode) { return FindMode(catalog, model.device_type, mode) != nullptr; });
}

Colour ToColour(int packed) {
  const Rgb rgb = UnpackColour(packed);
  return {static_cast<std::uint8_t>(rgb.r), static_cast<std::uint8_t>(rgb.g), static_cast<std::uint8_t>(rgb.b)};
}

template <typename T>
std::uint8_t Byte(const std::optional<T>& value, int fallback) {
  return static_cast<std::uint8_t>(value.value_or(fallback));
}

Settings FactorySettings(const DeviceModel& model, int sensor_id) {
  const ModelDefaults& d = model.defaults;
  Settings s;
  s.dpi_count = static_cast<std::uint8_t>(std::clamp(d.dpi_count.value_or(kDpiLevels), 1, kDpiLevels));
  s.dpi_index = static_cast<std::uint8_t>(std::clamp(d.default_dpi.value_or(0), 0, s.dpi_count - 1));
  for (int k = 0; k < kDpiLevels; ++k) {
    s.dpi_codes[k] = DpiCode(sensor_id, d.dpi_value[k].value_or(kFallbackDpi[k]));
    s.dpi_colours[k] = ToColour(d.dpi_colour[k].value_or(0xFFFFFF));
  }
  s.report_rate = Byte(d.report_rate, 1);
  s.sleep = Byte(d.sleep_light, 30);
  s.wake = Byte(d.move_wakeup, 1);
  s.lightoff = Byte(d.move_closelight, 0);
  s.liftoff = 1;
  s.sensor_options = {0, 1};
  s.response = 8;
  const auto effect = std::find_if(kEffectOrder.begin(), kEffectOrder.end(),
                                   [&](int mode) { return model.light_modes[mode == 0 ? kLightModes - 1 : mode - 1]; });
  s.lighting =
      Lighting{static_cast<std::uint8_t>(effect != kEffectOrder.end() ? *effect : 0), 4, 2, kLightColourDefaults};
  s.buttons.assign(kButtonTableBytes, 0);
  std::copy(kDefaultButtons.begin(), kDefaultButtons.end(), s.buttons.begin());
  return s;
}

std::array<char, 4> DevId(const std::string& text) {
  std::array<char, 4> id{};
  std::copy_n(text.begin(), std::min<std::size_t>(text.size(), id.size()), id.begin());
  return id;
}

VirtualDevice MakeDevice(const CatalogEntry& mode, const DeviceModel& model, const DeviceTraits& traits,
                         const PresetOptions& options) {
  VirtualDevice device;
  const bool receiver = mode.mode == kReceiver;
  device.name = receiver ? "receiver" : "wired";
  device.product = receiver ? mode.name + " Receiver" : mode.name;
  device.vendor_id = static_cast<std::uint16_t>(mode.vid);
  device.product_id = static_cast<std::uint16_t>(mode.pid);
  device.release_number = traits.release_number;
  MouseState& s = device.state;
  s.identity.dev_id = DevId(options.dev_id.value_or(mode.dev_id));
  s.identity.sensor_id = static_cast<std::uint8_t>(options.sensor.value_or(traits.sensor_id));
  s.identity.rate_capability = static_cast<std::uint8_t>(options.rate_capability.value_or(traits.rate_capability));
  s.identity.receiver = receiver;
  s.identity.receiver_version = traits.receiver_version;
  s.factory = FactorySettings(model, s.identity.sensor_id);
  s.settings = s.factory;
  s.linked = !(receiver && options.preset == Preset::kReceiverUnlinked);
  const auto [a, b] = options.battery.value_or(std::pair<int, int>{traits.battery_a, traits.battery_b});
  s.battery_a = static_cast<std::uint8_t>(a);
  s.battery_b = static_cast<std::uint8_t>(b);
  return device;
}

}  // namespace

std::optional<Preset> ParsePreset(std::string_view text) {
  if (text == "wired") return Preset::kWired;
  if (text == "receiver") return Preset::kReceiver;
  if (text == "receiver-unlinked") return Preset::kReceiverUnlinked;
  if (text == "both") return Preset::kBoth;
  return std::nullopt;
}

PresetResult BuildPreset(const std::filesystem::path& resources, const PresetOptions& options) {
  LoadReport report;
  const DeviceCatalog catalog = ReadCatalogFile(CatalogFilePath(resources), {}, report);
  if (!report.loaded) return {{}, "cannot read " + report.file.string() + ": " + report.error};
  const std::vector<int> modes = ModesOf(options.preset);
  const auto model_entry = std::find_if(catalog.models.begin(), catalog.models.end(), [&](const CatalogEntry& m) {
    return (!options.model || m.device_attr == *options.model) && HasModes(catalog, m, modes);
  });
  if (model_entry == catalog.models.end()) {
    return {{},
            options.model ? "model " + *options.model + " is not in the catalog with the preset's connections"
                          : "no model in the catalog has the preset's connections"};
  }
  DeviceModel model;
  LoadReport model_report;
  ReadModelDefinition(ModelFilePath(resources, model_entry->device_attr), model, model_report);
  const DeviceTraits traits = TraitsOf(model_entry->device_attr);
  PresetResult result;
  for (const int mode : modes) {
    result.devices.push_back(MakeDevice(*FindMode(catalog, model_entry->device_type, mode), model, traits, options));
  }
  return result;
}

}  // namespace korvane::sim
