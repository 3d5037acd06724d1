#include "store/light_table.hpp"

#include <cstddef>

#include "store/store_query.hpp"

namespace korvane {

namespace {

constexpr int kActive = 1;
constexpr int kInactive = 0;

LightSetting ReadLightRow(const SQLiteStatement& row) {
  LightSetting light{.light_id = row.ColumnInt(0),
                     .profile = row.ColumnInt(1),
                     .name = std::string(row.ColumnText(2)),
                     .mode = row.ColumnInt(3),
                     .brightness = row.ColumnInt(4),
                     .speed = row.ColumnInt(5),
                     .direction = row.ColumnInt(6),
                     .colorful = row.ColumnInt(7),
                     .colorindex = row.ColumnInt(8),
                     .config_func = row.ColumnInt(16),
                     .reserved = row.ColumnInt(17),
                     .status = row.ColumnInt(18)};
  for (std::size_t i = 0; i < light.color_value.size(); ++i) {
    light.color_value[i] = row.ColumnInt(9 + static_cast<int>(i));
  }
  return light;
}

}  // namespace

int CountLightRows(ConfigStore& store, int profile) {
  int count = 0;
  ReadOneRow(store, "select count(*) FROM t_light_data WHERE profile = ?", {profile},
             [&](const SQLiteStatement& row) { count = row.ColumnInt(0); });
  return count;
}

int InsertLightRow(ConfigStore& store, const LightSetting& r) {
  const auto& c = r.color_value;
  return RunInsert(store,
                   "INSERT INTO t_light_data(profile, name, mode, brightness, speed, direction, colorful, colorindex, "
                   "color_value1, color_value2, color_value3, color_value4, color_value5, color_value6, color_value7, "
                   "config_func, reserved, status) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
                   {r.profile, r.name, r.mode, r.brightness, r.speed, r.direction, r.colorful, r.colorindex, c[0], c[1],
                    c[2], c[3], c[4], c[5], c[6], r.config_func, r.reserved, r.status});
}

bool UpdateLightRow(ConfigStore& store, int mode, const LightSetting& r) {
  const auto& c = r.color_value;
  return RunWrite(store,
                  "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, colorful = ?, colorindex = ?, "
                  "color_value1 = ?, color_value2 = ?, color_value3 = ?, color_value4 = ?, color_value5 = ?, "
                  "color_value6 = ?, color_value7 = ?, config_func = ?, reserved = ? WHERE profile = ? and mode = ?",
                  {r.brightness, r.speed, r.direction, r.colorful, r.colorindex, c[0], c[1], c[2], c[3], c[4], c[5],
                   c[6], r.config_func, r.reserved, r.profile, mode});
}

bool MarkActiveLight(ConfigStore& store, int profile, int mode) {
  const ConfigStore::Lock lock = store.Hold();
  RunWrite(store, "UPDATE t_light_data SET status = ? WHERE profile = ?", {kInactive, profile});
  return RunWrite(store, "UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?", {kActive, profile, mode});
}

int LoadActiveLightMode(ConfigStore& store, int profile) {
  int mode = 0;
  ReadOneRow(store, "SELECT mode FROM t_light_data WHERE profile = ? and status = ?", {profile, kActive},
             [&](const SQLiteStatement& row) { mode = row.ColumnInt(0); });
  return mode;
}

bool LoadLightRow(ConfigStore& store, int profile, int mode, LightSetting& record) {
  return ReadOneRow(store, "SELECT * FROM t_light_data WHERE profile = ? AND mode = ?", {profile, mode},
                    [&](const SQLiteStatement& row) { record = ReadLightRow(row); });
}

int LoadLightRows(ConfigStore& store, int profile, std::vector<LightSetting>& records) {
  records.clear();
  return ReadAllRows(store, "SELECT * FROM t_light_data WHERE profile = ?", {profile},
                     [&](const SQLiteStatement& row) { records.push_back(ReadLightRow(row)); });
}

}  // namespace korvane
