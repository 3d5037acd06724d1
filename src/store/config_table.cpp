#include "store/config_table.hpp"

#include "common/text.hpp"
#include "store/store_query.hpp"

namespace korvane {

bool GetConfigValue(ConfigStore& store, int profile, ConfigKey key, std::string& value) {
  value.clear();
  return ReadOneRow(store, "SELECT value FROM t_configdata WHERE profile = ? and key = ?",
                    {profile, ConfigKeyName(key)}, [&](const SQLiteStatement& row) { value = row.ColumnText(0); });
}

bool SetConfigValue(ConfigStore& store, int profile, ConfigKey key, const std::string& value) {
  return RunWrite(store, "UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?",
                  {value, profile, ConfigKeyName(key)});
}

int ConfigInt(ConfigStore& store, int profile, ConfigKey key) {
  std::string text;
  GetConfigValue(store, profile, key, text);
  return LeadingNumber(text);
}

bool SetConfigInt(ConfigStore& store, int profile, ConfigKey key, int value) {
  return SetConfigValue(store, profile, key, std::to_string(value));
}

}  // namespace korvane
