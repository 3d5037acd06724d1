#pragma once

#include <nlohmann/json.hpp>

namespace korvane {
class ConfigStore;
class LanguageCatalog;
}  // namespace korvane

namespace korvane::cli {

// The profile's DPI levels in use, decoded: count, active level (from 1) and
// each level's value and colour (RRGGBB).
nlohmann::ordered_json DpiJson(ConfigStore& store, int profile);

// The profile's light rows, decoded: mode, its name in the current
// language, whether active, brightness, speed and the colours (RRGGBB).
nlohmann::ordered_json LightingJson(ConfigStore& store, int profile, const LanguageCatalog& language);

}  // namespace korvane::cli
