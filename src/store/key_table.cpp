#include "store/key_table.hpp"

#include "store/store_query.hpp"

namespace korvane {

namespace {

constexpr int kReadLayer = 0;

KeyAssignment ReadKeyRow(const SQLiteStatement& row) {
  return {.key_id = row.ColumnInt(0),
          .profile = row.ColumnInt(1),
          .fn_layer = row.ColumnInt(2),
          .key_code = row.ColumnInt(3),
          .layout_value = row.ColumnInt(4),
          .layout_desc = std::string(row.ColumnText(5)),
          .macro_type = row.ColumnInt(6),
          .macro_value = row.ColumnInt(7),
          .macro_value2 = row.ColumnInt(8),
          .macro_value3 = row.ColumnInt(9),
          .macro_desc = std::string(row.ColumnText(10))};
}

}  // namespace

int StoreKeyAssignment(ConfigStore& store, const KeyAssignment& record) {
  const ConfigStore::Lock lock = store.Hold();
  RunWrite(store, "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?",
           {record.profile, record.fn_layer, record.key_code});
  if (record.macro_value == 0 && record.macro_value2 == 0) return 0;
  return RunInsert(
      store,
      "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, layout_desc, macro_type, "
      "macro_value, macro_value2, macro_value3, macro_desc) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
      {record.profile, record.fn_layer, record.key_code, record.layout_value, record.layout_desc, record.macro_type,
       record.macro_value, record.macro_value2, record.macro_value3, record.macro_desc});
}

bool LoadKeyAssignment(ConfigStore& store, int profile, int key_code, KeyAssignment& record) {
  return ReadOneRow(store, "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?",
                    {profile, kReadLayer, key_code}, [&](const SQLiteStatement& row) { record = ReadKeyRow(row); });
}

bool StoreKeyDescription(ConfigStore& store, int profile, int key_code, const std::string& text) {
  return RunWrite(store,
                  "UPDATE t_key_macro_data SET macro_desc = ? WHERE profile = ? and fn_layer = ? and key_code = ?",
                  {text, profile, kReadLayer, key_code});
}

int LoadKeyAssignments(ConfigStore& store, int profile, std::vector<KeyAssignment>& records) {
  records.clear();
  return ReadAllRows(store, "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?", {profile, kReadLayer},
                     [&](const SQLiteStatement& row) { records.push_back(ReadKeyRow(row)); });
}

bool DeleteProfileKeys(ConfigStore& store, int profile) {
  return RunWrite(store, "DELETE FROM t_key_macro_data WHERE profile = ?", {profile});
}

}  // namespace korvane
