#include "performance_json.hpp"

#include <algorithm>
#include <vector>

#include "common/colour.hpp"
#include "language/language_catalog.hpp"
#include "performance/dpi_model.hpp"
#include "store/light_table.hpp"

namespace korvane::cli {

using nlohmann::ordered_json;

ordered_json DpiJson(ConfigStore& store, int profile) {
  const DpiLevels stored = LoadDpiLevels(store, profile);
  ordered_json levels = ordered_json::array();
  for (int k = 0; k < std::clamp(stored.count, 0, kMaxDpiLevels); ++k) {
    levels.push_back({{"level", k + 1}, {"dpi", stored.values[k]}, {"colour", ColourToHex(stored.colours[k])}});
  }
  return {{"count", stored.count}, {"active_level", stored.index + 1}, {"levels", levels}};
}

ordered_json LightingJson(ConfigStore& store, int profile, const LanguageCatalog& language) {
  std::vector<LightSetting> rows;
  LoadLightRows(store, profile, rows);
  ordered_json out = ordered_json::array();
  for (const LightSetting& row : rows) {
    ordered_json colours = ordered_json::array();
    for (const int colour : row.color_value) colours.push_back(ColourToHex(colour));
    out.push_back({{"mode", row.mode},
                   {"name", language.GetText(row.reserved)},
                   {"active", row.status == 1},
                   {"brightness", row.brightness},
                   {"speed", row.speed},
                   {"colours", colours}});
  }
  return out;
}

}  // namespace korvane::cli
