#pragma once

#include <array>
#include <string>

#include "common/text_ids.hpp"
#include "performance/payload_builders.hpp"
#include "performance/settings_target.hpp"

namespace korvane {

// The sensor options: the boxes' bits in sensor_flag, in box order, and the
// language texts of their captions. Bit 16 is shown and stored, never sent.
inline constexpr std::array<int, 3> kSensorOptionBits{4, 8, 16};
inline constexpr std::array<int, 3> kSensorOptionTexts{text_id::kSensorOption1, text_id::kSensorOption2,
                                                       text_id::kSensorOption3};

// Sleep times offered: minutes and the stored value (units of 10 s).
struct SleepChoice {
  int minutes;
  int stored;
};
inline constexpr std::array<SleepChoice, 6> kSleepChoices{{{1, 6}, {2, 12}, {5, 30}, {10, 60}, {20, 120}, {30, 180}}};

// The typed response time as a number held to 0..20 (text that is not a
// number is 0); the field shows it when it differs from what was typed.
int ClampResponseTime(const std::string& text);

// Whether the page shows "2.0mm": only for the stored text exactly "2".
bool LiftOffIsTwoMillimetres(ConfigStore& store, int profile);

// The response-time field changed: the typed text, held to 0..20, is stored
// and returned for the field to show; nothing is sent until it is confirmed
// (ChangeResponseTime).
int EditResponseTime(const SettingsTarget& target, const std::string& text);

// Page operations; each stores the change in the current profile and queues
// the worker task that sends it.

// Stores the response time (held to 0..20) and queues task 14.
void ChangeResponseTime(const SettingsTarget& target, int milliseconds);
// Lift-off 1.0 or 2.0 mm; queues task 12.
void ChangeLiftOff(const SettingsTarget& target, bool two_millimetres);
// sensor_flag from the three boxes; other bits of the old value are dropped.
// Queues task 12.
void ChangeSensorOptions(const SettingsTarget& target, const std::array<bool, 3>& checked);
// A sleep time by its stored value; one not offered is refused (false).
// Queues task 13.
bool ChangeSleepTime(const SettingsTarget& target, int stored);
// Wake on movement and lighting off on movement; queue task 13.
void ChangeMoveWakeup(const SettingsTarget& target, bool on);
void ChangeMoveLightOff(const SettingsTarget& target, bool on);

// What commands 6 and 7 carry for the profile.
PowerValues StoredPowerValues(ConfigStore& store, int profile);

}  // namespace korvane
