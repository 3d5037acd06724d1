#include "store/profile_table.hpp"

#include <cstdint>
#include <functional>
#include <set>

#include "store/config_table.hpp"
#include "store/store_query.hpp"

namespace korvane {

int AddProfile(ConfigStore& store, const ProfileRecord& record) {
  const ConfigStore::Lock lock = store.Hold();
  const int profile =
      record.profile > 0
          ? RunInsert(store, "INSERT INTO t_profile_data(profile, name, status, app, type) VALUES (?, ?, ?, ?, ?);",
                      {record.profile, record.name, 0, record.app, 0})
          : RunInsert(store, "INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);",
                      {record.name, 0, record.app, 0});
  if (profile <= 0) return 0;
  CompleteProfileConfiguration(store, profile);
  return profile;
}

bool CompleteProfileConfiguration(ConfigStore& store, int profile) {
  const ConfigStore::Lock lock = store.Hold();
  const std::uint64_t failures = store.Failures();
  std::set<std::string, std::less<>> stored;
  ReadAllRows(store, "SELECT key FROM t_configdata WHERE profile = ?", {profile},
              [&](const SQLiteStatement& row) { stored.emplace(row.ColumnText(0)); });
  if (store.Failures() != failures) return false;
  for (const ConfigKey key : kConfigKeys) {
    if (stored.contains(ConfigKeyName(key))) continue;
    RunInsert(store, "INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);",
              {profile, ConfigKeyName(key), ConfigKeyDefault(key)});
  }
  return store.Failures() == failures;
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
