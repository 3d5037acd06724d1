#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/load_report.hpp"
#include "store/records.hpp"

namespace korvane {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// A button of the model as the key page shows it.
struct ModelButton {
  int name_id = 0;    // language text of the button's name
  int key_value = 0;  // button code
  int direction = 0;  // side of the picture its label is drawn on
  Point leader_from;  // the label's leader line
  Point leader_to;
  int func_desc_id = 0;  // language text of the factory function
};

// Splits "a#b#c" into the leader line (a, c) -> (b, c). A part without '#'
// gives 0 and leaves the whole text for the next split, so "45" gives
// (0, 45) -> (0, 45).
struct LeaderLine {
  Point from;
  Point to;
  bool strict = false;  // exactly three decimal numbers
};
LeaderLine ParseRect(std::string_view text);

inline constexpr int kMaxDpiLevels = 6;
inline constexpr int kLightModes = 6;

// The DPI, report-rate and power defaults of a model. Each value is present
// only when the definition file has its element.
struct ModelDefaults {
  std::optional<int> default_dpi;
  std::optional<int> dpi_count;
  std::array<std::optional<int>, kMaxDpiLevels> dpi_value;
  std::array<std::optional<int>, kMaxDpiLevels> dpi_colour;
  std::optional<int> report_rate;
  std::optional<int> sleep_light;
  std::optional<int> move_wakeup;
  std::optional<int> move_closelight;
};

// The definition of the current model. An item whose element is absent from
// a definition file keeps the value it had, so a file without <custom>
// leaves the show flags of the previously loaded model.
struct DeviceModel {
  std::string name;
  std::string device_attr;
  std::string picture;  // "device/<mouse_img>" below the skin folder
  bool light_page_shown = true;
  bool dpi_tip_shown = true;
  bool save_tip_shown = true;
  bool lod_shown = true;
  bool sensor_shown = true;
  std::string firmware_url;
  std::vector<ModelButton> buttons;
  std::vector<KeyAssignment> default_keys;
  std::array<bool, kLightModes> light_modes{};
  ModelDefaults defaults;
};

// "<resources>/device/<device_attr>.xml".
std::filesystem::path ModelFilePath(const std::filesystem::path& resources, const std::string& device_attr);

// Reads a definition file into model, keeping the items whose elements are
// absent. Returns false (model untouched) when the file cannot be read or
// has no <mouse> root.
bool ReadModelDefinition(const std::filesystem::path& file, DeviceModel& model, LoadReport& report);

// Only the <mouse_info> defaults of a definition file.
ModelDefaults ReadModelDefaultsFile(const std::filesystem::path& file);

}  // namespace korvane
