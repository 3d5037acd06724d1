#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace korvane {
class ConfigStore;
class LanguageCatalog;
}  // namespace korvane

namespace korvane::cli {

class CliSession;

// The settings in the words the user knows them by, shared by show and the
// setting commands' confirmations so that both say the same.

// A stored report-rate code as "1000 Hz"; nullopt for a code no rate has.
std::optional<int> HertzOfCode(int code);
std::string RateText(int code);

// A stored sleep time (units of 10 s) as "5 min", or "90 s" when it is no
// whole minute.
std::optional<int> SleepMinutes(int stored);
std::string SleepText(int stored);

std::string OnOff(bool on);

// The sensor options a sensor_flag has on, by their captions in the current
// language; and as JSON, each option's option name (ripple_control ...)
// with whether it is on.
std::vector<std::string> SensorOptionsOn(const LanguageCatalog& language, int sensor_flag);
nlohmann::ordered_json SensorOptionsJson(int sensor_flag);
std::string SensorOptionsText(const LanguageCatalog& language, int sensor_flag);

// A decoded light row (one item of LightingJson) as "Breathing, brightness
// 3, speed 1, colours #FF0000 #00FF00": only what its mode has.
std::string LightRowText(const nlohmann::ordered_json& row);
// The active row of the current profile; nullopt when it has none.
std::optional<nlohmann::ordered_json> ActiveLightRow(CliSession& session);

// The current profile's settings as show prints them, one "label: value"
// line each, indented.
void PrintProfileSettings(CliSession& session, const nlohmann::ordered_json& shown, bool keys);

}  // namespace korvane::cli
