#pragma once

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace korvane::test {

// Every row of every table of a settings database, read through a
// connection of its own as "table|value|value…": tables by name, rows in
// rowid order. A test compares the rows before and after an operation.
inline std::vector<std::string> DatabaseRows(const std::filesystem::path& file) {
  std::vector<std::string> rows;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return {"cannot open " + file.string()};
  }
  const auto each_row = [db](const std::string& sql, const std::function<void(sqlite3_stmt*)>& read) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
      while (sqlite3_step(statement) == SQLITE_ROW) read(statement);
    }
    sqlite3_finalize(statement);
  };
  const auto text = [](sqlite3_stmt* statement, int column) {
    const unsigned char* value = sqlite3_column_text(statement, column);
    return value ? std::string(reinterpret_cast<const char*>(value)) : std::string("NULL");
  };
  std::vector<std::string> tables;
  each_row("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name",
           [&](sqlite3_stmt* statement) { tables.push_back(text(statement, 0)); });
  for (const std::string& table : tables) {
    each_row("SELECT * FROM \"" + table + "\" ORDER BY rowid", [&](sqlite3_stmt* statement) {
      std::string row = table;
      for (int column = 0; column < sqlite3_column_count(statement); ++column) row += "|" + text(statement, column);
      rows.push_back(std::move(row));
    });
  }
  sqlite3_close(db);
  return rows;
}

// The rows without those of the named configuration keys (in any profile):
// the rest of a database an operation is to change only these keys of.
inline std::vector<std::string> DatabaseRowsWithout(const std::filesystem::path& file,
                                                    const std::vector<std::string>& keys) {
  std::vector<std::string> rows = DatabaseRows(file);
  std::erase_if(rows, [&](const std::string& row) {
    return row.starts_with("t_configdata|") && std::any_of(keys.begin(), keys.end(), [&](const std::string& key) {
             return row.find("|" + key + "|") != std::string::npos;
           });
  });
  return rows;
}

}  // namespace korvane::test
