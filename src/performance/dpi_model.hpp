#pragma once

#include <array>
#include <atomic>
#include <optional>
#include <string>

#include "performance/payload_builders.hpp"
#include "performance/settings_target.hpp"
#include "profiles/model_loader.hpp"

namespace korvane {

// Levels 0..5 are sent to the mouse; level 6 is kept and shown only.
inline constexpr int kStoredDpiLevels = 7;
static_assert(kStoredDpiLevels <= kDpiValueKeys && kStoredDpiLevels <= kDpiColourKeys);

// The DPI levels of a profile as stored (level 6 included).
struct DpiLevels {
  int count = 0;
  int index = 0;
  std::array<int, kStoredDpiLevels> values{};
  std::array<int, kStoredDpiLevels> colours{};
};
DpiLevels LoadDpiLevels(ConfigStore& store, int profile);

// The count and level last shown, so that the mouse's DPI button report is
// acted on only when it changes them. Shared by the page and the worker.
struct DpiCache {
  std::atomic<int> count{0};
  std::atomic<int> index{0};
};

// The row of the connected mouse's sensor.
const SensorDpiRow& CurrentSensorRow(const ConnectionState& state);

// Page operations: each stores the change in the current profile, then
// queues what the worker must send.

// Makes `index` the active level; queues task 9 when it differs from the
// cached one (true: show the DPI tip and the save tip). An index outside
// the level count is refused (nullopt).
std::optional<bool> SelectDpiLevel(const SettingsTarget& target, DpiCache& cache, int index);

// Sets the level count (1..6, else refused: false); an active level past
// the new count becomes the last level. Queues task 9.
bool ChangeDpiCount(const SettingsTarget& target, DpiCache& cache, int count);

// Stores the typed text, snapped to the sensor's typing steps and range, as
// the value of `level` (0..5, else refused: nullopt) and queues task 9; the
// snapped value is returned for the field to show.
std::optional<int> TypeDpiValue(const SettingsTarget& target, int level, const std::string& text);

// The slider at `slider_index` sets the value of `level` at once; the
// release queues task 9. Returns the value.
std::optional<int> SlideDpiValue(const SettingsTarget& target, int level, int slider_index, bool released);

// Stores a level's colour and queues task 10. Black (0) is what the colour
// dialog returns when cancelled, so it is refused, as is a level outside
// 0..5 or a value that is not a colour.
bool SetDpiColour(const SettingsTarget& target, int level, int colour);

// The mouse's DPI button changed count or level: each that differs from the
// cache is cached and stored. A report outside 1..6 levels, or with the
// level past the count, is ignored. Returns whether anything changed.
bool HandleDpiNotification(ConfigStore& store, const ConnectionState& state, DpiCache& cache, int count, int index);

// The values command 3 carries for the profile.
DpiLevelValues DpiCommandValues(ConfigStore& store, int profile);
std::array<int, kMaxDpiLevels> DpiCommandColours(ConfigStore& store, int profile);

}  // namespace korvane
