#include "performance/dpi_model.hpp"

#include <algorithm>

#include "common/text.hpp"
#include "device/report_decoders.hpp"
#include "store/config_store.hpp"
#include "worker/connection_state.hpp"
#include "worker/task_queue.hpp"

namespace korvane {

namespace {

constexpr int kMaxColour = 0xFFFFFF;

bool SentLevel(int level) { return level >= 0 && level < kMaxDpiLevels; }

void StoreCount(ConfigStore& store, int profile, int count) {
  SetConfigInt(store, profile, ConfigKey::kDpiCount, count);
  SetConfigInt(store, profile, ConfigKey::kDpiFlag, count);
}

}  // namespace

DpiLevels LoadDpiLevels(ConfigStore& store, int profile) {
  const ConfigStore::Lock lock = store.Hold();
  DpiLevels levels;
  levels.count = ConfigInt(store, profile, ConfigKey::kDpiCount);
  levels.index = ConfigInt(store, profile, ConfigKey::kDpiIndex);
  for (int k = 0; k < kStoredDpiLevels; ++k) {
    levels.values[k] = ConfigInt(store, profile, DpiValueKey(k));
    levels.colours[k] = ConfigInt(store, profile, DpiColourKey(k));
  }
  return levels;
}

const SensorDpiRow& CurrentSensorRow(const ConnectionState& state) { return SensorRowFor(state.Info().sensor_id); }

std::optional<bool> SelectDpiLevel(const SettingsTarget& target, DpiCache& cache, int index) {
  const int profile = target.state.current_profile;
  const int count = ConfigInt(target.store, profile, ConfigKey::kDpiCount);
  if (index < 0 || index >= std::min(count, kMaxDpiLevels)) return std::nullopt;
  SetConfigInt(target.store, profile, ConfigKey::kDpiIndex, index);
  if (cache.index.exchange(index) == index) return false;
  target.queue.Push(kTaskDpiLevels);
  return true;
}

bool ChangeDpiCount(const SettingsTarget& target, DpiCache& cache, int count) {
  if (count < 1 || count > kMaxDpiLevels) return false;
  const int profile = target.state.current_profile;
  int index = 0;
  {
    const ConfigStore::Lock lock = target.store.Hold();
    SetConfigInt(target.store, profile, ConfigKey::kDpiCount, count);
    index = ConfigInt(target.store, profile, ConfigKey::kDpiIndex);
    if (index > count - 1) {
      index = count - 1;
      SetConfigInt(target.store, profile, ConfigKey::kDpiIndex, index);
    }
  }
  cache.count = count;
  cache.index = index;
  target.queue.Push(kTaskDpiLevels);
  return true;
}

std::optional<int> TypeDpiValue(const SettingsTarget& target, int level, const std::string& text) {
  if (!SentLevel(level)) return std::nullopt;
  const int value = SnapTypedDpi(CurrentSensorRow(target.state), LeadingNumber(text));
  SetConfigInt(target.store, target.state.current_profile, DpiValueKey(level), value);
  target.queue.Push(kTaskDpiLevels);
  return value;
}

std::optional<int> SlideDpiValue(const SettingsTarget& target, int level, int slider_index, bool released) {
  if (!SentLevel(level)) return std::nullopt;
  const SensorDpiRow& row = CurrentSensorRow(target.state);
  const int value =
      std::clamp(DpiAtSlider(row, std::clamp(slider_index, row.slider_low, row.slider_high)), row.min_dpi, row.max_dpi);
  SetConfigInt(target.store, target.state.current_profile, DpiValueKey(level), value);
  if (released) target.queue.Push(kTaskDpiLevels);
  return value;
}

bool SetDpiColour(const SettingsTarget& target, int level, int colour) {
  if (!SentLevel(level) || colour <= 0 || colour > kMaxColour) return false;
  SetConfigInt(target.store, target.state.current_profile, DpiColourKey(level), colour);
  target.queue.Push(kTaskDpiColours);
  return true;
}

bool HandleDpiNotification(ConfigStore& store, const ConnectionState& state, DpiCache& cache, int count, int index) {
  if (!DpiSelectionInRange(count, index)) return false;
  const int profile = state.current_profile;
  bool changed = false;
  if (cache.count.exchange(count) != count) {
    StoreCount(store, profile, count);
    changed = true;
  }
  if (cache.index.exchange(index) != index) {
    SetConfigInt(store, profile, ConfigKey::kDpiIndex, index);
    changed = true;
  }
  return changed;
}

DpiLevelValues DpiCommandValues(ConfigStore& store, int profile) {
  const DpiLevels stored = LoadDpiLevels(store, profile);
  DpiLevelValues levels{stored.count, stored.index, {}};
  std::copy_n(stored.values.begin(), kMaxDpiLevels, levels.values.begin());
  return levels;
}

std::array<int, kMaxDpiLevels> DpiCommandColours(ConfigStore& store, int profile) {
  const DpiLevels stored = LoadDpiLevels(store, profile);
  std::array<int, kMaxDpiLevels> colours{};
  std::copy_n(stored.colours.begin(), kMaxDpiLevels, colours.begin());
  return colours;
}

}  // namespace korvane
