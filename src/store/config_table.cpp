#include "store/config_table.hpp"

#include <array>

#include "store/store_query.hpp"

namespace korvane {

namespace {

constexpr std::array<ConfigDefault, 39> kDefaults{{
    {"version", "1.0.1"},
    {"sleep_light", "30"},
    {"move_wakeup", "1"},
    {"move_closelight", "1"},
    {"report_rate", "2"},
    {"report_rate_wireless", "1"},
    {"report_count", "4"},
    {"report_flag", "127"},
    {"button_respondtime", "8"},
    {"sensor_flag", "53"},
    {"liftoff_height", "1"},
    {"scroll_flag", "1"},
    {"e-sports_flag", "0"},
    {"leftbtn_lock", "1"},
    {"dpi_flag", "6"},
    {"dpi_index", "1"},
    {"dpi_count", "6"},
    {"dpi_group0_value", "800"},
    {"dpi_group1_value", "1600"},
    {"dpi_group2_value", "2400"},
    {"dpi_group3_value", "3200"},
    {"dpi_group4_value", "6400"},
    {"dpi_group5_value", "26000"},
    {"dpi_group6_value", "26000"},
    {"dpi_group7_value", "0"},
    {"dpi_group0_rgb", "255"},
    {"dpi_group1_rgb", "16711680"},
    {"dpi_group2_rgb", "65280"},
    {"dpi_group3_rgb", "65535"},
    {"dpi_group4_rgb", "16711935"},
    {"dpi_group5_rgb", "16776960"},
    {"dpi_group6_rgb", "16712191"},
    {"dpi_group7_rgb", "16777215"},
    {"dpi_group8_rgb", "2139135"},
    {"mouse_speed", "10"},
    {"mouse_sensitivity", "1"},
    {"wheel_scrollflag", "0"},
    {"wheel_scrolllines", "3"},
    {"doubleclick_time", "550"},
}};

}  // namespace

std::span<const ConfigDefault> DefaultConfiguration() { return kDefaults; }

bool GetConfigValue(ConfigStore& store, int profile, const std::string& key, std::string& value) {
  value.clear();
  return ReadOneRow(store, "SELECT value FROM t_configdata WHERE profile = ? and key = ?", {profile, key},
                    [&](const SQLiteStatement& row) { value = row.ColumnText(0); });
}

bool SetConfigValue(ConfigStore& store, int profile, const std::string& key, const std::string& value) {
  return RunWrite(store, "UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?", {value, profile, key});
}

}  // namespace korvane
