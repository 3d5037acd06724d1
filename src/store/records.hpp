#pragma once

#include <array>
#include <string>

namespace korvane {

// One profile: a row of t_profile_data. status 1 marks the active profile;
// app and type are stored as empty and 0 and never read.
struct ProfileRecord {
  int profile = 0;
  std::string name{};
  std::string app{};
  int type = 0;
  int status = 0;

  bool operator==(const ProfileRecord&) const = default;
};

// One button assignment: a row of t_key_macro_data, fields in column order.
struct KeyAssignment {
  int key_id = 0;
  int profile = 0;
  int fn_layer = 0;
  int key_code = 0;
  int layout_value = 0;
  std::string layout_desc{};
  int macro_type = 0;
  int macro_value = 0;
  int macro_value2 = 0;
  int macro_value3 = 0;
  std::string macro_desc{};

  bool operator==(const KeyAssignment&) const = default;
};

inline constexpr int kLightColours = 7;

// One lighting mode of a profile: a row of t_light_data, fields in column
// order (color_value1 ... color_value7 are color_value[0] ... [6]). status 1
// marks the profile's active mode.
struct LightSetting {
  int light_id = 0;
  int profile = 0;
  std::string name{};
  int mode = 0;
  int brightness = 0;
  int speed = 0;
  int direction = 0;
  int colorful = 0;
  int colorindex = 0;
  std::array<int, kLightColours> color_value{};
  int config_func = 0;
  int reserved = 0;
  int status = 0;

  bool operator==(const LightSetting&) const = default;
};

// A macro: a row of t_macro_data. Macros are shared by all profiles.
struct MacroHeader {
  int macro_id = 0;
  std::string name{};
  int play_type = 0;
  int play_times = 0;
  int delay_type = 0;
  int delay_time = 0;

  bool operator==(const MacroHeader&) const = default;
};

// One event of a macro: a row of t_macrorecord. The table holds desc between
// record_index and value; here the text follows the integers.
struct MacroEvent {
  int record_id = 0;
  int macro_id = 0;
  int type = 0;
  int record_index = 0;
  int value = 0;
  int delay_time = 0;
  std::string desc{};

  bool operator==(const MacroEvent&) const = default;
};

}  // namespace korvane
