#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "catalog/model_definition.hpp"
#include "performance/settings_target.hpp"
#include "store/records.hpp"

namespace korvane {

// Feature bits of a light row's config_func.
inline constexpr int kLightBrightness = 1;
inline constexpr int kLightSpeed = 2;
inline constexpr int kLightFreeColour = 16;
inline constexpr int kLightSevenSlots = 2048;
inline constexpr int kMaxLightLevel = 4;

// A lighting mode as the mode list offers it.
struct LightModeInfo {
  int mode;
  std::string_view stored_name;
  int caption_text;  // language text of the caption
  int config_func;
};

// The six modes in the order their rows are created: 1, 2, 3, 4, 5, 0.
// The model enables mode m by its light_m element, mode 0 by light_6.
std::span<const LightModeInfo> LightModes();
std::optional<LightModeInfo> LightModeOf(int mode);

// The preset colours of the lighting page, in button order.
std::span<const int> LightPresetColours();

// Puts a colour where the row's mode keeps it: colour 1, or with seven slots
// the given slot (0..6). False (row unchanged) for a mode without colours,
// a slot out of range or a value that is not a colour.
bool PutLightColour(LightSetting& row, int colour, int slot);

// A level of brightness or speed (0..4) as a percentage of its range.
int LightLevelPercent(int level);

// When the profile has no light rows: inserts a default row for every mode
// the model enables, and marks mode 1 active. Returns the number of rows.
int EnsureDefaultLightRows(ConfigStore& store, int profile, const std::array<bool, kLightModes>& enabled);

// Page operations. Each works on the current mode's row of the current
// profile and queues task 8; a mode the profile has no row for changes
// nothing (false).

// Makes the mode current and active.
bool ChangeLightMode(const SettingsTarget& target, int mode);
// Brightness and speed, 0..4 (else refused), when the mode has them.
bool SetLightBrightness(const SettingsTarget& target, int brightness);
bool SetLightSpeed(const SettingsTarget& target, int speed);
// A colour for the mode, put as PutLightColour puts it; the colours are the
// slots in order.
bool ApplyLightColour(const SettingsTarget& target, int colour, int slot = 0);

}  // namespace korvane
