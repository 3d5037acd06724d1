#include "store/device_database.hpp"

#include <array>

#include "store/config_store.hpp"

namespace korvane {

namespace fs = std::filesystem;

namespace {

// The schema, in the order it is created. t_key_otherdata and
// t_key_light_data are created for the file format's sake; nothing reads or
// writes them.
constexpr std::array<const char*, 15> kSchema{
    "CREATE TABLE IF NOT EXISTS t_configdata (config_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
    "key TEXT, value TEXT)",
    "CREATE TABLE IF NOT EXISTS t_profile_data (profile INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT, "
    "status INTEGER, app TEXT, type INTEGER)",
    "CREATE INDEX IF NOT EXISTS profileindex ON t_profile_data (profile)",
    "CREATE TABLE IF NOT EXISTS t_key_macro_data (key_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
    "fn_layer INTEGER, key_code INTEGER, layout_value INTEGER, layout_desc TEXT, macro_type INTEGER, "
    "macro_value INTEGER, macro_value2 INTEGER, macro_value3 INTEGER, macro_desc TEXT)",
    "CREATE INDEX IF NOT EXISTS keyindex ON t_key_macro_data (key_id)",
    "CREATE TABLE IF NOT EXISTS t_key_otherdata (macro_value INTEGER PRIMARY KEY AUTOINCREMENT, macro_desc TEXT, "
    "param TEXT, type INTEGER)",
    "CREATE INDEX IF NOT EXISTS otheridindex ON t_key_otherdata (macro_value)",
    "CREATE TABLE IF NOT EXISTS t_macro_data (macro_id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT, "
    "play_type INTEGER, play_times INTEGER, delay_type INTEGER, delay_time INTEGER)",
    "CREATE INDEX IF NOT EXISTS macroidindex ON t_macro_data (macro_id)",
    "CREATE TABLE IF NOT EXISTS t_macrorecord (record_id INTEGER PRIMARY KEY AUTOINCREMENT, macro_id INTEGER, "
    "type INTEGER, record_index INTEGER, desc TEXT, value INTEGER, delay_time INTEGER)",
    "CREATE INDEX IF NOT EXISTS macrorecordindex ON t_macrorecord (record_id)",
    "CREATE TABLE IF NOT EXISTS t_light_data (light_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
    "name TEXT, mode INTEGER, brightness INTEGER, speed INTEGER, direction INTEGER, colorful INTEGER, "
    "colorindex INTEGER, color_value1 INTEGER, color_value2 INTEGER, color_value3 INTEGER, color_value4 INTEGER, "
    "color_value5 INTEGER, color_value6 INTEGER, color_value7 INTEGER, config_func INTEGER, reserved INTEGER, "
    "status INTEGER)",
    "CREATE INDEX IF NOT EXISTS lightindex ON t_light_data (light_id)",
    "CREATE TABLE IF NOT EXISTS t_key_light_data (keylight_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
    "light_id INTEGER, key_code INTEGER, key_rgb INTEGER)",
    "CREATE INDEX IF NOT EXISTS keylightindex ON t_key_light_data (keylight_id)",
};

bool OpenExisting(SQLiteDB& db, const std::string& path) {
  if (db.IsOpen()) return true;
  return db.Open(path, kOpenExisting);
}

// Every statement runs even after one has failed.
bool CreateNew(SQLiteDB& db, const std::string& path) {
  if (db.IsOpen()) return true;
  if (!db.Open(path, kOpenOrCreate)) return false;
  bool all_ok = true;
  for (const char* statement : kSchema) all_ok = (db.Execute(statement) == kSqliteOk) && all_ok;
  return all_ok;
}

}  // namespace

fs::path DeviceDatabasePath(const fs::path& data_folder, const std::string& device_attr) {
  return data_folder / "db" / (device_attr + "_data1.db");
}

bool OpenDeviceDatabase(ConfigStore& store, const fs::path& data_folder, const std::string& device_attr) {
  const std::string path = DeviceDatabasePath(data_folder, device_attr).string();
  const ConfigStore::Lock lock = store.Hold();
  std::error_code error;
  const bool exists = fs::exists(path, error);
  const bool open = exists ? OpenExisting(store.Db(), path) : CreateNew(store.Db(), path);
  store.SetOpenResult(path, open);
  return open;
}

}  // namespace korvane
