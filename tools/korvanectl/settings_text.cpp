#include "settings_text.hpp"

#include <array>
#include <iomanip>
#include <iostream>

#include "catalog/current_model.hpp"
#include "cli_json.hpp"
#include "cli_session.hpp"
#include "language/language_catalog.hpp"
#include "performance/lighting_model.hpp"
#include "performance/rate_model.hpp"
#include "performance/sensor_power_model.hpp"
#include "performance_json.hpp"
#include "store/config_table.hpp"

namespace korvane::cli {

namespace {

using nlohmann::ordered_json;

// The sensor options' names in JSON, in box order.
constexpr std::array<const char*, 3> kSensorOptionKeys{"ripple_control", "angle_snapping", "motion_sync"};

// The widest label, "lighting off while moving:", and a space.
constexpr int kLabelWidth = 27;

void Line(const std::string& label, const std::string& value) {
  std::cout << "  " << std::left << std::setw(kLabelWidth) << label + ":" << value << '\n';
}

}  // namespace

std::optional<int> HertzOfCode(int code) {
  const auto rate = RateOfCode(code);
  if (!rate) return std::nullopt;
  return rate->hertz;
}

std::string RateText(int code) {
  const auto hertz = HertzOfCode(code);
  return hertz ? std::to_string(*hertz) + " Hz" : "unknown (stored code " + std::to_string(code) + ")";
}

std::optional<int> SleepMinutes(int stored) {
  for (const SleepChoice& choice : kSleepChoices) {
    if (choice.stored == stored) return choice.minutes;
  }
  return std::nullopt;
}

std::string SleepText(int stored) {
  if (const auto minutes = SleepMinutes(stored)) return std::to_string(*minutes) + " min";
  return std::to_string(stored * 10) + " s";
}

std::string OnOff(bool on) { return on ? "on" : "off"; }

std::vector<std::string> SensorOptionsOn(const LanguageCatalog& language, int sensor_flag) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < kSensorOptionBits.size(); ++i) {
    if (sensor_flag & kSensorOptionBits[i]) names.push_back(language.GetText(kSensorOptionTexts[i]));
  }
  return names;
}

ordered_json SensorOptionsJson(int sensor_flag) {
  ordered_json out = ordered_json::object();
  for (std::size_t i = 0; i < kSensorOptionBits.size(); ++i) {
    out[kSensorOptionKeys[i]] = (sensor_flag & kSensorOptionBits[i]) != 0;
  }
  return out;
}

std::string SensorOptionsText(const LanguageCatalog& language, int sensor_flag) {
  std::string text;
  for (const std::string& name : SensorOptionsOn(language, sensor_flag)) text += (text.empty() ? "" : ", ") + name;
  return text.empty() ? "none" : text;
}

std::string LightRowText(const ordered_json& row) {
  const auto mode = LightModeOf(row["mode"].get<int>());
  const int features = mode ? mode->config_func : 0;
  std::string text = row["name"].get<std::string>();
  if (text.empty()) text = "mode " + std::to_string(row["mode"].get<int>());
  if (features & kLightBrightness) text += ", brightness " + std::to_string(row["brightness"].get<int>());
  if (features & kLightSpeed) text += ", speed " + std::to_string(row["speed"].get<int>());
  const std::size_t colours = features & kLightSevenSlots   ? row["colours"].size()
                              : features & kLightFreeColour ? std::min<std::size_t>(1, row["colours"].size())
                                                            : 0;
  if (colours > 0) {
    text += colours == 1 ? ", colour" : ", colours";
    for (std::size_t i = 0; i < colours; ++i) text += " #" + row["colours"][i].get<std::string>();
  }
  return text;
}

std::optional<ordered_json> ActiveLightRow(CliSession& session) {
  const ordered_json rows =
      LightingJson(session.Store(), session.State().current_profile, session.Context().Language());
  for (const auto& row : rows) {
    if (row["active"].get<bool>()) return row;
  }
  return std::nullopt;
}

void PrintProfileSettings(CliSession& session, const ordered_json& shown, bool keys) {
  ConfigStore& store = session.Store();
  const int profile = shown["profile"].get<int>();
  const auto value = [&](ConfigKey key) { return ConfigInt(store, profile, key); };
  std::cout << "Profile " << profile << ": " << shown["name"].get<std::string>() << '\n';
  if (const CatalogEntry* model = FindModel(session.Catalog(), session.State().current_type)) {
    Line("model", model->name);
  }
  Line("report rate", RateText(value(ConfigKey::kReportRate)));

  const ordered_json& dpi = shown["dpi"];
  Line("DPI levels", std::to_string(dpi["count"].get<int>()) + " in use, level " +
                         std::to_string(dpi["active_level"].get<int>()) + " active");
  for (const auto& level : dpi["levels"]) {
    std::cout << "    " << (level["level"] == dpi["active_level"] ? "* " : "  ") << level["level"] << "  " << std::right
              << std::setw(5) << level["dpi"].get<int>() << " DPI  #" << level["colour"].get<std::string>() << '\n';
  }
  Line("lift-off distance", LiftOffIsTwoMillimetres(store, profile) ? "2 mm" : "1 mm");
  Line("sensor options", SensorOptionsText(session.Context().Language(), value(ConfigKey::kSensorFlag)));
  Line("button response time", std::to_string(value(ConfigKey::kButtonRespondTime)) + " ms");
  Line("sleep after", SleepText(value(ConfigKey::kSleepLight)));
  Line("wake on movement", OnOff(value(ConfigKey::kMoveWakeup) == 1));
  Line("lighting off while moving", OnOff(value(ConfigKey::kMoveCloseLight) == 1));

  const ordered_json& lighting = shown["lighting"];
  if (!lighting.empty()) {
    std::cout << "  lighting:\n";
    for (const auto& row : lighting) {
      std::cout << "    " << (row["active"].get<bool>() ? "* " : "  ") << row["mode"] << "  " << LightRowText(row)
                << '\n';
    }
  }
  if (keys) {
    std::cout << "Stored keys:\n";
    PrintKeys(shown["config"], "  ");
  }
}

}  // namespace korvane::cli
