#include "files/profile_files.hpp"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <string_view>

#include "catalog/model_definition.hpp"
#include "common/text.hpp"
#include "device/sensor_dpi_table.hpp"
#include "files/small_file.hpp"
#include "performance/lighting_model.hpp"
#include "performance/payload_builders.hpp"
#include "performance/rate_model.hpp"
#include "performance/sensor_power_model.hpp"
#include "store/config_keys.hpp"
#include "store/config_store.hpp"
#include "store/config_table.hpp"
#include "store/key_table.hpp"
#include "store/light_table.hpp"
#include "store/profile_table.hpp"
#include "store/sqlite_transaction.hpp"
#include "worker/connection_state.hpp"
#include "xml/xml_markup.hpp"

namespace korvane {

namespace {

constexpr int kMaxColour = 0xFFFFFF;
constexpr int kPrimaryButton = 0;     // keeps its function: a file never changes it
constexpr int kLastFunctionType = 9;  // button function types are 1..9
constexpr int kLargestFunctionValue = 0xFFFF;
constexpr int kLastColourIndex = kLightColours - 1;

bool IsFlag(int value) { return value == 0 || value == 1; }

// The nine settings of <Mouse>, in file order, with what the pages could
// have stored for each; nullopt leaves the stored value.
struct MouseSetting {
  std::string_view element;
  ConfigKey key;
  std::function<std::optional<int>(int value, const ProfileRules& rules)> accept;
};

const std::array<MouseSetting, 9>& MouseSettings() {
  static const std::array<MouseSetting, 9> settings{{
      {"button_respondtime", ConfigKey::kButtonRespondTime,
       [](int value, const ProfileRules&) { return std::optional<int>(std::clamp(value, 0, kMaxResponseTime)); }},
      {"report_rate", ConfigKey::kReportRate,
       [](int value, const ProfileRules& rules) {
         return OfferedRateIndex(rules.rate_capability, value) ? std::optional<int>(value) : std::nullopt;
       }},
      {"sensor_flag", ConfigKey::kSensorFlag,
       [](int value, const ProfileRules&) {
         return value >= 0 && value <= 0xFF ? std::optional<int>(value) : std::nullopt;
       }},
      {"liftoff_height", ConfigKey::kLiftOffHeight,
       [](int value, const ProfileRules&) {
         return value == 1 || value == 2 ? std::optional<int>(value) : std::nullopt;
       }},
      {"scroll_flag", ConfigKey::kScrollFlag,
       [](int value, const ProfileRules&) { return IsFlag(value) ? std::optional<int>(value) : std::nullopt; }},
      {"e_sports_flag", ConfigKey::kESportsFlag,
       [](int value, const ProfileRules&) { return IsFlag(value) ? std::optional<int>(value) : std::nullopt; }},
      {"sleep_light", ConfigKey::kSleepLight,
       [](int value, const ProfileRules&) {
         const bool offered = std::any_of(kSleepChoices.begin(), kSleepChoices.end(),
                                          [value](const SleepChoice& choice) { return choice.stored == value; });
         return offered ? std::optional<int>(value) : std::nullopt;
       }},
      {"move_wakeup", ConfigKey::kMoveWakeup,
       [](int value, const ProfileRules&) { return IsFlag(value) ? std::optional<int>(value) : std::nullopt; }},
      {"move_closelight", ConfigKey::kMoveCloseLight,
       [](int value, const ProfileRules&) { return IsFlag(value) ? std::optional<int>(value) : std::nullopt; }},
  }};
  return settings;
}

std::string StoredText(ConfigStore& store, int profile, ConfigKey key) {
  std::string value;
  GetConfigValue(store, profile, key, value);
  return value;
}

int Number(const XmlMarkup& xml, std::string_view name) { return LeadingNumber(xml.GetAttrib(name)); }

std::string ColourAttribute(int slot) { return "color_value" + std::to_string(slot + 1); }

void AddKeys(XmlMarkup& xml, ConfigStore& store, int profile) {
  std::vector<KeyAssignment> keys;
  LoadKeyAssignments(store, profile, keys);
  for (const KeyAssignment& key : keys) {
    if (key.fn_layer != 0) continue;
    xml.AddChildElem("item");
    xml.SetAttrib("key_code", key.key_code);
    xml.SetAttrib("macro_type", key.macro_type);
    xml.SetAttrib("macro_value", key.macro_value);
    xml.SetAttrib("macro_value2", key.macro_value2);
    xml.SetAttrib("macro_value3", key.macro_value3);
    xml.SetAttrib("macro_desc", key.macro_desc);
    xml.OutOfElem();
  }
}

void AddLights(XmlMarkup& xml, ConfigStore& store, int profile) {
  std::vector<LightSetting> rows;
  LoadLightRows(store, profile, rows);
  for (const LightSetting& row : rows) {
    xml.AddChildElem("item");
    xml.SetAttrib("light_mode", row.mode);
    xml.SetAttrib("brightness", row.brightness);
    xml.SetAttrib("speed", row.speed);
    xml.SetAttrib("direction", row.direction);
    xml.SetAttrib("colorful", row.colorful);
    xml.SetAttrib("colorindex", row.colorindex);
    for (int slot = 0; slot < kLightColours; ++slot) {
      xml.SetAttrib(ColourAttribute(slot), row.color_value[static_cast<std::size_t>(slot)]);
    }
    xml.OutOfElem();
  }
}

void AddDpi(XmlMarkup& xml, ConfigStore& store, int profile) {
  xml.SetAttrib("dpi_flag", StoredText(store, profile, ConfigKey::kDpiFlag));
  xml.SetAttrib("dpi_index", StoredText(store, profile, ConfigKey::kDpiIndex));
  xml.SetAttrib("dpi_count", StoredText(store, profile, ConfigKey::kDpiCount));
  for (int level = 0; level < kMaxDpiLevels; ++level) {
    xml.AddChildElem("DPI" + std::to_string(level + 1));
    xml.SetAttrib("value", StoredText(store, profile, DpiValueKey(level)));
    xml.SetAttrib("color", StoredText(store, profile, DpiColourKey(level)));
    xml.OutOfElem();
  }
}

void AddMouse(XmlMarkup& xml, ConfigStore& store, int profile) {
  for (const MouseSetting& setting : MouseSettings()) {
    xml.AddChildElem(setting.element);
    xml.SetAttrib("value", StoredText(store, profile, setting.key));
    xml.OutOfElem();
  }
}

XmlMarkup BuildDocument(ConfigStore& store, int profile, const std::string& shown_name) {
  XmlMarkup xml;
  xml.New();
  xml.AddElem("profile");
  xml.AddChildElem("profileinfo");
  xml.SetAttrib("name", shown_name);
  xml.AddChildElem("keyitems");
  AddKeys(xml, store, profile);
  xml.AddElem("Lightitems");
  xml.SetAttrib("lightmode", LoadActiveLightMode(store, profile));
  AddLights(xml, store, profile);
  xml.AddElem("Mouse_DPI");
  AddDpi(xml, store, profile);
  xml.AddElem("Mouse");
  AddMouse(xml, store, profile);
  return xml;
}

// --- import -----------------------------------------------------------------------

// A button assignment the buttons page could have made for this model.
std::optional<KeyAssignment> ReadKey(const XmlMarkup& xml, int profile, const ProfileRules& rules) {
  KeyAssignment key;
  key.profile = profile;
  key.key_code = Number(xml, "key_code");
  key.macro_type = Number(xml, "macro_type");
  key.macro_value = Number(xml, "macro_value");
  key.macro_value2 = Number(xml, "macro_value2");
  key.macro_value3 = Number(xml, "macro_value3");
  key.macro_desc = RepairedUtf8(xml.GetAttrib("macro_desc"));
  const bool known_button = std::find(rules.buttons.begin(), rules.buttons.end(), key.key_code) != rules.buttons.end();
  const auto in_range = [](int value) { return value >= 0 && value <= kLargestFunctionValue; };
  if (!known_button || key.key_code == kPrimaryButton || key.macro_type < 1 || key.macro_type > kLastFunctionType ||
      !in_range(key.macro_value) || !in_range(key.macro_value2) || !in_range(key.macro_value3)) {
    return std::nullopt;
  }
  return key;
}

void ImportKeys(XmlMarkup& xml, ConfigStore& store, int profile, const ProfileRules& rules) {
  xml.IntoElem();
  while (xml.FindElem("item")) {
    if (const std::optional<KeyAssignment> key = ReadKey(xml, profile, rules)) StoreKeyAssignment(store, *key);
  }
  xml.OutOfElem();
}

// Overwrites the profile's row of the item's mode with what the lighting
// page could have set; a mode the profile has no row for is left out.
void ImportLight(const XmlMarkup& xml, ConfigStore& store, int profile) {
  LightSetting row;
  if (!LoadLightRow(store, profile, Number(xml, "light_mode"), row)) return;
  const auto level = [&](std::string_view name, int stored) {
    const int value = Number(xml, name);
    return value >= 0 && value <= kMaxLightLevel ? value : stored;
  };
  row.brightness = level("brightness", row.brightness);
  row.speed = level("speed", row.speed);
  const int direction = Number(xml, "direction");
  if (IsFlag(direction)) row.direction = direction;
  const int colorful = Number(xml, "colorful");
  if (IsFlag(colorful)) row.colorful = colorful;
  const int colour_index = Number(xml, "colorindex");
  if (colour_index >= 0 && colour_index <= kLastColourIndex) row.colorindex = colour_index;
  for (int slot = 0; slot < kLightColours; ++slot) {
    const int colour = Number(xml, ColourAttribute(slot));
    if (colour >= 0 && colour <= kMaxColour) row.color_value[static_cast<std::size_t>(slot)] = colour;
  }
  UpdateLightRow(store, row.mode, row);
}

void ImportLights(XmlMarkup& xml, ConfigStore& store, int profile) {
  LightSetting active;
  const int mode = Number(xml, "lightmode");
  if (LoadLightRow(store, profile, mode, active)) MarkActiveLight(store, profile, mode);
  xml.IntoElem();
  while (xml.FindElem("item")) ImportLight(xml, store, profile);
  xml.OutOfElem();
}

// The count 1..6 and a level within it; values snapped to the sensor's
// steps and range, colours 0..0xFFFFFF.
void ImportDpi(XmlMarkup& xml, ConfigStore& store, int profile, const ProfileRules& rules) {
  const int count = Number(xml, "dpi_count");
  if (count >= 1 && count <= kMaxDpiLevels) {
    SetConfigInt(store, profile, ConfigKey::kDpiCount, count);
    SetConfigInt(store, profile, ConfigKey::kDpiFlag, count);
  }
  const int stored_count = ConfigInt(store, profile, ConfigKey::kDpiCount);
  const int index = Number(xml, "dpi_index");
  if (index >= 0 && index < stored_count) SetConfigInt(store, profile, ConfigKey::kDpiIndex, index);
  const SensorDpiRow& sensor = SensorRowFor(rules.sensor_id);
  xml.IntoElem();
  for (int level = 0; level < kMaxDpiLevels; ++level) {
    if (!xml.FindElem("DPI" + std::to_string(level + 1))) continue;
    SetConfigInt(store, profile, DpiValueKey(level), SnapTypedDpi(sensor, LeadingNumber(xml.GetAttrib("value"))));
    const int colour = Number(xml, "color");
    if (colour >= 0 && colour <= kMaxColour) SetConfigInt(store, profile, DpiColourKey(level), colour);
  }
  xml.OutOfElem();
}

void ImportMouse(XmlMarkup& xml, ConfigStore& store, int profile, const ProfileRules& rules) {
  xml.IntoElem();
  for (const MouseSetting& setting : MouseSettings()) {
    if (!xml.FindElem(setting.element)) continue;
    if (const std::optional<int> value = setting.accept(Number(xml, "value"), rules)) {
      SetConfigInt(store, profile, setting.key, *value);
    }
  }
  xml.OutOfElem();
}

}  // namespace

ProfileRules CurrentProfileRules(const DeviceModel& model, const ConnectionState& state) {
  ProfileRules rules;
  for (const ModelButton& button : model.buttons) rules.buttons.push_back(button.key_value);
  rules.rate_capability = state.Info().rate_capability;
  rules.sensor_id = state.Info().sensor_id;
  return rules;
}

std::string ProfileDocument(ConfigStore& store, int profile, const std::string& shown_name) {
  return BuildDocument(store, profile, shown_name).ToString();
}

bool ExportProfile(ConfigStore& store, int profile, const std::string& shown_name, const std::filesystem::path& file) {
  return BuildDocument(store, profile, shown_name).Save(file);
}

// Every step runs in one transaction; a missing element skips its step, the
// later steps still run from the same level.
std::string ImportProfileDocument(ConfigStore& store, int profile, const std::string& bytes, const std::string& title,
                                  const ProfileRules& rules) {
  XmlMarkup xml;
  if (!xml.LoadFromBuffer(bytes)) return "not XML: " + xml.Error();
  if (!xml.FindElem("profile")) return "no <profile> root";
  xml.IntoElem();
  const ConfigStore::Lock lock = store.Hold();
  SQLiteAutoTransaction transaction(&store.Db());
  if (!xml.FindElem("profileinfo")) return {};
  StoreProfileName(store, profile, RepairedUtf8(title));
  xml.IntoElem();
  DeleteProfileKeys(store, profile);
  if (xml.FindElem("keyitems")) ImportKeys(xml, store, profile, rules);
  if (xml.FindElem("Lightitems")) ImportLights(xml, store, profile);
  if (xml.FindElem("Mouse_DPI")) ImportDpi(xml, store, profile, rules);
  if (xml.FindElem("Mouse")) ImportMouse(xml, store, profile, rules);
  return {};
}

std::string ImportProfileFile(ConfigStore& store, int profile, const std::filesystem::path& file,
                              const ProfileRules& rules) {
  std::string problem;
  const std::optional<std::string> bytes = ReadSmallFile(file, problem);
  if (!bytes) return problem;
  std::string title = file.filename().string();
  if (title.size() >= 4) title.resize(title.size() - 4);
  return ImportProfileDocument(store, profile, *bytes, title, rules);
}

}  // namespace korvane
