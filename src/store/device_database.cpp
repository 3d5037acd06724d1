#include "store/device_database.hpp"

#include <array>

#include "common/text.hpp"
#include "store/config_store.hpp"
#include "store/sqlite_transaction.hpp"

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

// Creates what the schema lacks in one transaction, so a start killed half-way
// leaves all of it or none, and the next open completes a file an older start
// left without some tables. On a complete schema nothing is written. Every
// statement runs even after one has failed.
bool CompleteSchema(SQLiteDB& db) {
  SQLiteAutoTransaction transaction(&db);
  bool all_ok = true;
  for (const char* statement : kSchema) all_ok = (db.Execute(statement) == kSqliteOk) && all_ok;
  return all_ok;
}

}  // namespace

fs::path DeviceDatabasePath(const fs::path& data_folder, const std::string& device_attr) {
  return data_folder / "db" / (device_attr + "_data1.db");
}

bool OpenDeviceDatabase(ConfigStore& store, const fs::path& data_folder, const std::string& device_attr) {
  const ConfigStore::Lock lock = store.Hold();
  if (!IsSafeFileStem(device_attr)) {
    store.SetOpenResult("", false);
    return false;
  }
  const std::string path = DeviceDatabasePath(data_folder, device_attr).string();
  SQLiteDB& db = store.Db();
  std::error_code error;
  const int flags = fs::exists(path, error) ? kOpenExisting : kOpenOrCreate;
  const bool open = db.IsOpen() || (db.Open(path, flags) && CompleteSchema(db));
  store.SetOpenResult(path, open);
  return open;
}

}  // namespace korvane
