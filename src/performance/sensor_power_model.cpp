#include "performance/sensor_power_model.hpp"

#include <algorithm>

#include "common/text.hpp"
#include "store/config_store.hpp"
#include "store/config_table.hpp"
#include "worker/connection_state.hpp"
#include "worker/task_queue.hpp"

namespace korvane {

namespace {

void Store(const SettingsTarget& target, ConfigKey key, int value, TaskCode task) {
  SetConfigInt(target.store, target.state.current_profile, key, value);
  target.queue.Push(task);
}

}  // namespace

int ClampResponseTime(const std::string& text) { return std::clamp(LeadingNumber(text), 0, kMaxResponseTime); }

bool LiftOffIsTwoMillimetres(ConfigStore& store, int profile) {
  std::string text;
  GetConfigValue(store, profile, ConfigKey::kLiftOffHeight, text);
  return text == "2";
}

int EditResponseTime(const SettingsTarget& target, const std::string& text) {
  const int value = ClampResponseTime(text);
  SetConfigInt(target.store, target.state.current_profile, ConfigKey::kButtonRespondTime, value);
  return value;
}

void ChangeResponseTime(const SettingsTarget& target, int milliseconds) {
  Store(target, ConfigKey::kButtonRespondTime, std::clamp(milliseconds, 0, kMaxResponseTime), kTaskResponseTime);
}

void ChangeLiftOff(const SettingsTarget& target, bool two_millimetres) {
  Store(target, ConfigKey::kLiftOffHeight, two_millimetres ? 2 : 1, kTaskSensor);
}

void ChangeSensorOptions(const SettingsTarget& target, const std::array<bool, 3>& checked) {
  int flag = 0;
  for (std::size_t i = 0; i < checked.size(); ++i) flag += checked[i] ? kSensorOptionBits[i] : 0;
  Store(target, ConfigKey::kSensorFlag, flag, kTaskSensor);
}

bool ChangeSleepTime(const SettingsTarget& target, int stored) {
  const bool offered = std::any_of(kSleepChoices.begin(), kSleepChoices.end(),
                                   [stored](const SleepChoice& c) { return c.stored == stored; });
  if (offered) Store(target, ConfigKey::kSleepLight, stored, kTaskPower);
  return offered;
}

void ChangeMoveWakeup(const SettingsTarget& target, bool on) {
  Store(target, ConfigKey::kMoveWakeup, on ? 1 : 0, kTaskPower);
}

void ChangeMoveLightOff(const SettingsTarget& target, bool on) {
  Store(target, ConfigKey::kMoveCloseLight, on ? 1 : 0, kTaskPower);
}

PowerValues StoredPowerValues(ConfigStore& store, int profile) {
  const ConfigStore::Lock lock = store.Hold();
  return {ConfigInt(store, profile, ConfigKey::kSleepLight), ConfigInt(store, profile, ConfigKey::kMoveWakeup),
          ConfigInt(store, profile, ConfigKey::kMoveCloseLight),
          ConfigInt(store, profile, ConfigKey::kButtonRespondTime)};
}

}  // namespace korvane
