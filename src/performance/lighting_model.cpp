#include "performance/lighting_model.hpp"

#include <algorithm>

#include "common/text_ids.hpp"
#include "store/config_store.hpp"
#include "store/light_table.hpp"
#include "worker/connection_state.hpp"
#include "worker/task_queue.hpp"

namespace korvane {

namespace {

constexpr int Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

constexpr std::array<LightModeInfo, kLightModes> kModes{{
    {1, "流光", text_id::kLightFlow, kLightBrightness | kLightSpeed},
    {2, "呼吸", text_id::kLightBreathing, kLightBrightness | kLightSpeed | kLightFreeColour | kLightSevenSlots},
    {3, "常亮", text_id::kLightAlwaysOn, kLightBrightness | kLightFreeColour},
    {4, "霓虹", text_id::kLightNeon, kLightBrightness | kLightSpeed},
    {5, "七彩波浪", text_id::kLightRainbowWave, kLightBrightness | kLightSpeed},
    {0, "关闭", text_id::kLightOff, 0},
}};

constexpr std::array<int, kLightColours> kDefaultColours{Rgb(255, 0, 0),    Rgb(0, 255, 0),   Rgb(0, 0, 255),
                                                         Rgb(0, 255, 255),  Rgb(255, 255, 0), Rgb(255, 0, 255),
                                                         Rgb(255, 255, 255)};
constexpr std::array<int, 8> kPresets{Rgb(255, 0, 0), Rgb(240, 0, 255), Rgb(0, 12, 255), Rgb(0, 255, 252),
                                      Rgb(0, 255, 6), Rgb(255, 222, 0), Rgb(255, 72, 0), Rgb(255, 255, 255)};
constexpr int kDefaultBrightness = 4;
constexpr int kDefaultSpeed = 2;
constexpr int kMaxColour = 0xFFFFFF;

LightSetting DefaultRow(int profile, const LightModeInfo& info) {
  LightSetting row;
  row.profile = profile;
  row.name = std::string(info.stored_name);
  row.mode = info.mode;
  row.brightness = kDefaultBrightness;
  row.speed = kDefaultSpeed;
  row.colorful = 1;
  row.color_value = kDefaultColours;
  row.config_func = info.config_func;
  row.reserved = info.caption_text;
  return row;
}

// Loads the current mode's row, lets change edit it, stores it and queues
// task 8; false (nothing stored) when there is no row or change refuses.
template <typename Change>
bool EditCurrentRow(const SettingsTarget& target, Change change) {
  const int profile = target.state.current_profile;
  const int mode = target.state.current_light_mode;
  {
    const ConfigStore::Lock lock = target.store.Hold();
    LightSetting row;
    if (!LoadLightRow(target.store, profile, mode, row) || !change(row)) return false;
    UpdateLightRow(target.store, mode, row);
  }
  target.queue.Push(kTaskLighting);
  return true;
}

}  // namespace

std::span<const LightModeInfo> LightModes() { return kModes; }

std::optional<LightModeInfo> LightModeOf(int mode) {
  const auto it = std::find_if(kModes.begin(), kModes.end(), [mode](const LightModeInfo& m) { return m.mode == mode; });
  if (it == kModes.end()) return std::nullopt;
  return *it;
}

std::span<const int> LightPresetColours() { return kPresets; }

int EnsureDefaultLightRows(ConfigStore& store, int profile, const std::array<bool, kLightModes>& enabled) {
  const ConfigStore::Lock lock = store.Hold();
  if (const int rows = CountLightRows(store, profile); rows > 0) return rows;
  int rows = 0;
  for (const LightModeInfo& info : kModes) {
    const std::size_t element = info.mode == 0 ? kLightModes - 1 : static_cast<std::size_t>(info.mode - 1);
    if (enabled[element] && InsertLightRow(store, DefaultRow(profile, info)) > 0) ++rows;
  }
  MarkActiveLight(store, profile, 1);
  return rows;
}

bool ChangeLightMode(const SettingsTarget& target, int mode) {
  const int profile = target.state.current_profile;
  {
    const ConfigStore::Lock lock = target.store.Hold();
    LightSetting row;
    if (!LoadLightRow(target.store, profile, mode, row)) return false;
    MarkActiveLight(target.store, profile, mode);
  }
  target.state.current_light_mode = mode;
  target.queue.Push(kTaskLighting);
  return true;
}

bool SetLightBrightness(const SettingsTarget& target, int brightness) {
  if (brightness < 0 || brightness > kMaxLightLevel) return false;
  return EditCurrentRow(target, [brightness](LightSetting& row) {
    row.brightness = brightness;
    return (row.config_func & kLightBrightness) != 0;
  });
}

bool SetLightSpeed(const SettingsTarget& target, int speed) {
  if (speed < 0 || speed > kMaxLightLevel) return false;
  return EditCurrentRow(target, [speed](LightSetting& row) {
    row.speed = speed;
    return (row.config_func & kLightSpeed) != 0;
  });
}

bool PutLightColour(LightSetting& row, int colour, int slot) {
  if (colour < 0 || colour > kMaxColour || slot < 0 || slot >= kLightColours) return false;
  if ((row.config_func & kLightFreeColour) == 0) return false;
  const bool slots = (row.config_func & kLightSevenSlots) != 0;
  row.color_value[slots ? static_cast<std::size_t>(slot) : 0] = colour;
  return true;
}

int LightLevelPercent(int level) { return std::clamp(level, 0, kMaxLightLevel) * 100 / kMaxLightLevel; }

bool ApplyLightColour(const SettingsTarget& target, int colour, int slot) {
  return EditCurrentRow(target, [colour, slot](LightSetting& row) { return PutLightColour(row, colour, slot); });
}

}  // namespace korvane
