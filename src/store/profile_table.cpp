#include "store/profile_table.hpp"

#include "store/config_table.hpp"
#include "store/store_query.hpp"

namespace korvane {

int AddProfile(ConfigStore& store, const ProfileRecord& record) {
  const ConfigStore::Lock lock = store.Hold();
  const int profile = RunInsert(store, "INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);",
                                {record.name, 0, record.app, 0});
  for (const ConfigKey key : kConfigKeys) {
    RunInsert(store, "INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);",
              {profile, ConfigKeyName(key), ConfigKeyDefault(key)});
  }
  return profile;
}

bool StoreProfileName(ConfigStore& store, int profile, const std::string& name) {
  return RunWrite(store, "UPDATE t_profile_data SET name = ? WHERE profile = ?", {name, profile});
}

bool GetProfileName(ConfigStore& store, int profile, std::string& name) {
  name.clear();
  return ReadOneRow(store, "SELECT name FROM t_profile_data WHERE profile = ?", {profile},
                    [&](const SQLiteStatement& row) { name = row.ColumnText(0); });
}

int ListProfiles(ConfigStore& store, std::vector<ProfileRecord>& profiles) {
  profiles.clear();
  return ReadAllRows(store, "SELECT profile, name, status, app, type FROM t_profile_data", {},
                     [&](const SQLiteStatement& row) {
                       profiles.push_back({.profile = row.ColumnInt(0),
                                           .name = std::string(row.ColumnText(1)),
                                           .app = std::string(row.ColumnText(3)),
                                           .type = row.ColumnInt(4),
                                           .status = row.ColumnInt(2)});
                     });
}

bool SetActiveProfile(ConfigStore& store, int profile) {
  const ConfigStore::Lock lock = store.Hold();
  RunWrite(store, "UPDATE t_profile_data SET status = ?", {0});
  return RunWrite(store, "UPDATE t_profile_data SET status = ? WHERE profile = ?", {1, profile});
}

int GetActiveProfile(ConfigStore& store) {
  int profile = 0;
  ReadOneRow(store, "SELECT profile FROM t_profile_data WHERE status = ?", {1},
             [&](const SQLiteStatement& row) { profile = row.ColumnInt(0); });
  return profile;
}

}  // namespace korvane
