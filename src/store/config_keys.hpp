#pragma once

#include <string_view>

namespace korvane {

// Every configuration key of a profile: X(enumerator, stored name, value a
// new profile receives), in the order a new profile's rows are written. The
// per-level DPI keys are consecutive rows, so a level's key is found by
// counting from level 0 (DpiValueKey, DpiColourKey).
#define KORVANE_CONFIG_KEYS(X)                        \
  X(kVersion, "version", "1.0.1")                     \
  X(kSleepLight, "sleep_light", "30")                 \
  X(kMoveWakeup, "move_wakeup", "1")                  \
  X(kMoveCloseLight, "move_closelight", "1")          \
  X(kReportRate, "report_rate", "2")                  \
  X(kReportRateWireless, "report_rate_wireless", "1") \
  X(kReportCount, "report_count", "4")                \
  X(kReportFlag, "report_flag", "127")                \
  X(kButtonRespondTime, "button_respondtime", "8")    \
  X(kSensorFlag, "sensor_flag", "53")                 \
  X(kLiftOffHeight, "liftoff_height", "1")            \
  X(kScrollFlag, "scroll_flag", "1")                  \
  X(kESportsFlag, "e-sports_flag", "0")               \
  X(kLeftButtonLock, "leftbtn_lock", "1")             \
  X(kDpiFlag, "dpi_flag", "6")                        \
  X(kDpiIndex, "dpi_index", "1")                      \
  X(kDpiCount, "dpi_count", "6")                      \
  X(kDpiGroup0Value, "dpi_group0_value", "800")       \
  X(kDpiGroup1Value, "dpi_group1_value", "1600")      \
  X(kDpiGroup2Value, "dpi_group2_value", "2400")      \
  X(kDpiGroup3Value, "dpi_group3_value", "3200")      \
  X(kDpiGroup4Value, "dpi_group4_value", "6400")      \
  X(kDpiGroup5Value, "dpi_group5_value", "26000")     \
  X(kDpiGroup6Value, "dpi_group6_value", "26000")     \
  X(kDpiGroup7Value, "dpi_group7_value", "0")         \
  X(kDpiGroup0Rgb, "dpi_group0_rgb", "255")           \
  X(kDpiGroup1Rgb, "dpi_group1_rgb", "16711680")      \
  X(kDpiGroup2Rgb, "dpi_group2_rgb", "65280")         \
  X(kDpiGroup3Rgb, "dpi_group3_rgb", "65535")         \
  X(kDpiGroup4Rgb, "dpi_group4_rgb", "16711935")      \
  X(kDpiGroup5Rgb, "dpi_group5_rgb", "16776960")      \
  X(kDpiGroup6Rgb, "dpi_group6_rgb", "16712191")      \
  X(kDpiGroup7Rgb, "dpi_group7_rgb", "16777215")      \
  X(kDpiGroup8Rgb, "dpi_group8_rgb", "2139135")       \
  X(kMouseSpeed, "mouse_speed", "10")                 \
  X(kMouseSensitivity, "mouse_sensitivity", "1")      \
  X(kWheelScrollFlag, "wheel_scrollflag", "0")        \
  X(kWheelScrollLines, "wheel_scrolllines", "3")      \
  X(kDoubleClickTime, "doubleclick_time", "550")

// A configuration key. The configuration operations take only these, so a
// misspelt key does not compile.
enum class ConfigKey {
#define KORVANE_CONFIG_KEY_ENUMERATOR(name, stored, initial) name,
  KORVANE_CONFIG_KEYS(KORVANE_CONFIG_KEY_ENUMERATOR)
#undef KORVANE_CONFIG_KEY_ENUMERATOR
};

// Every key, in the order a new profile's rows are written.
inline constexpr ConfigKey kConfigKeys[] = {
#define KORVANE_CONFIG_KEY_LISTED(name, stored, initial) ConfigKey::name,
    KORVANE_CONFIG_KEYS(KORVANE_CONFIG_KEY_LISTED)
#undef KORVANE_CONFIG_KEY_LISTED
};

// The name the key is stored under.
constexpr std::string_view ConfigKeyName(ConfigKey key) {
  constexpr std::string_view kNames[] = {
#define KORVANE_CONFIG_KEY_NAME(name, stored, initial) stored,
      KORVANE_CONFIG_KEYS(KORVANE_CONFIG_KEY_NAME)
#undef KORVANE_CONFIG_KEY_NAME
  };
  return kNames[static_cast<int>(key)];
}

// The value a new profile receives.
constexpr std::string_view ConfigKeyDefault(ConfigKey key) {
  constexpr std::string_view kDefaults[] = {
#define KORVANE_CONFIG_KEY_DEFAULT(name, stored, initial) initial,
      KORVANE_CONFIG_KEYS(KORVANE_CONFIG_KEY_DEFAULT)
#undef KORVANE_CONFIG_KEY_DEFAULT
  };
  return kDefaults[static_cast<int>(key)];
}

// Levels that have a stored value (0..7) and a stored colour (0..8).
inline constexpr int kDpiValueKeys = 8;
inline constexpr int kDpiColourKeys = 9;

static_assert(static_cast<int>(ConfigKey::kDpiGroup7Value) - static_cast<int>(ConfigKey::kDpiGroup0Value) ==
              kDpiValueKeys - 1);
static_assert(static_cast<int>(ConfigKey::kDpiGroup8Rgb) - static_cast<int>(ConfigKey::kDpiGroup0Rgb) ==
              kDpiColourKeys - 1);

// The keys of a DPI level: "dpi_group<level>_value" and "dpi_group<level>_rgb".
// The level must lie below kDpiValueKeys or kDpiColourKeys; callers bound
// their loops by constants checked against these.
constexpr ConfigKey DpiValueKey(int level) {
  return static_cast<ConfigKey>(static_cast<int>(ConfigKey::kDpiGroup0Value) + level);
}
constexpr ConfigKey DpiColourKey(int level) {
  return static_cast<ConfigKey>(static_cast<int>(ConfigKey::kDpiGroup0Rgb) + level);
}

}  // namespace korvane
