#pragma once

#include <functional>
#include <initializer_list>
#include <string_view>
#include <variant>

#include "store/config_store.hpp"

namespace korvane {

// The one shape of every table operation: take the store's lock, prepare the
// SQL text on a fresh statement, bind the parameters in order (integers and
// UTF-8 texts, always bound, never spliced into the SQL), step, finalise,
// release the lock. A failed prepare leaves no handle, so the binds and the
// step fail with 21 and the operation reports failure.
using SqlParam = std::variant<int, std::string_view>;
using SqlParams = std::initializer_list<SqlParam>;
using RowReader = std::function<void(const SQLiteStatement&)>;

// A write that SQLite completed (step result 0, 100 or 101), whether or not
// it matched a row.
bool RunWrite(ConfigStore& store, const char* sql, SqlParams params);

// The new rowid of a completed insert; 0 when it failed.
int RunInsert(ConfigStore& store, const char* sql, SqlParams params);

// Reads the first row, if any; true when there was one.
bool ReadOneRow(ConfigStore& store, const char* sql, SqlParams params, const RowReader& read);

// Reads every row in the order SQLite returns them; the number read.
int ReadAllRows(ConfigStore& store, const char* sql, SqlParams params, const RowReader& read);

}  // namespace korvane
