#include "store/macro_table.hpp"

#include "store/sqlite_transaction.hpp"
#include "store/store_query.hpp"

namespace korvane {

namespace {

constexpr char kInsertMacro[] =
    "INSERT INTO t_macro_data(name, play_type, play_times, delay_type, delay_time) VALUES (?, ?, ?, ?, ?);";

MacroHeader ReadMacroRow(const SQLiteStatement& row) {
  return {.macro_id = row.ColumnInt(0),
          .name = std::string(row.ColumnText(1)),
          .play_type = row.ColumnInt(2),
          .play_times = row.ColumnInt(3),
          .delay_type = row.ColumnInt(4),
          .delay_time = row.ColumnInt(5)};
}

// Columns in table order: record_id, macro_id, type, record_index, desc,
// value, delay_time.
MacroEvent ReadEventRow(const SQLiteStatement& row) {
  return {.record_id = row.ColumnInt(0),
          .macro_id = row.ColumnInt(1),
          .type = row.ColumnInt(2),
          .record_index = row.ColumnInt(3),
          .value = row.ColumnInt(5),
          .delay_time = row.ColumnInt(6),
          .desc = std::string(row.ColumnText(4))};
}

}  // namespace

int InsertMacroRow(ConfigStore& store, const std::string& name) {
  return InsertMacroRowFrom(store, {.name = name, .play_type = 0, .play_times = 1, .delay_type = 1, .delay_time = 0});
}

int InsertMacroRowFrom(ConfigStore& store, const MacroHeader& header) {
  return RunInsert(store, kInsertMacro,
                   {header.name, header.play_type, header.play_times, header.delay_type, header.delay_time});
}

bool RenameMacroRow(ConfigStore& store, int macro_id, const std::string& name) {
  return RunWrite(store, "UPDATE t_macro_data SET name = ? WHERE macro_id = ?", {name, macro_id});
}

bool UpdateMacroRow(ConfigStore& store, int macro_id, const MacroHeader& header) {
  return RunWrite(store,
                  "UPDATE t_macro_data SET name = ?, play_type = ?, play_times = ?, delay_type = ?,delay_time = ? "
                  "WHERE macro_id = ?",
                  {header.name, header.play_type, header.play_times, header.delay_type, header.delay_time, macro_id});
}

bool LoadMacroRow(ConfigStore& store, int macro_id, MacroHeader& header) {
  return ReadOneRow(store, "SELECT * FROM t_macro_data WHERE macro_id = ?", {macro_id},
                    [&](const SQLiteStatement& row) { header = ReadMacroRow(row); });
}

int LoadMacroRows(ConfigStore& store, std::vector<MacroHeader>& headers) {
  headers.clear();
  return ReadAllRows(store, "SELECT * FROM t_macro_data", {},
                     [&](const SQLiteStatement& row) { headers.push_back(ReadMacroRow(row)); });
}

bool DeleteMacroRow(ConfigStore& store, int macro_id) {
  const ConfigStore::Lock lock = store.Hold();
  SQLiteAutoTransaction transaction(&store.Db());
  if (!RunWrite(store, "DELETE FROM t_macro_data WHERE macro_id = ?", {macro_id})) return false;
  return DeleteEventRows(store, macro_id);
}

int InsertEventRow(ConfigStore& store, const MacroEvent& e) {
  return RunInsert(store,
                   "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) "
                   "VALUES (?, ?, ?, ?, ?, ?);",
                   {e.macro_id, e.type, e.record_index, e.desc, e.value, e.delay_time});
}

void InsertEventRows(ConfigStore& store, const std::vector<MacroEvent>& events) {
  const ConfigStore::Lock lock = store.Hold();
  SQLiteAutoTransaction transaction(&store.Db());
  for (const MacroEvent& event : events) InsertEventRow(store, event);
}

int LoadEventRows(ConfigStore& store, int macro_id, std::vector<MacroEvent>& events) {
  events.clear();
  return ReadAllRows(store, "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC", {macro_id},
                     [&](const SQLiteStatement& row) { events.push_back(ReadEventRow(row)); });
}

bool DeleteEventRows(ConfigStore& store, int macro_id) {
  return RunWrite(store, "DELETE FROM t_macrorecord WHERE macro_id = ?", {macro_id});
}

}  // namespace korvane
