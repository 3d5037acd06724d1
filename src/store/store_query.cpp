#include "store/store_query.hpp"

#include <type_traits>

namespace korvane {

namespace {

// Prepares and binds; errors surface through the step.
void PrepareAndBind(SQLiteDB& db, SQLiteStatement& statement, const char* sql, SqlParams params) {
  db.Prepare(statement, sql);
  int index = 1;
  for (const SqlParam& param : params) {
    std::visit(
        [&](const auto& value) {
          if constexpr (std::is_same_v<std::decay_t<decltype(value)>, int>) {
            statement.BindInt(index, value);
          } else {
            statement.BindText(index, value.data(), static_cast<int>(value.size()));
          }
        },
        param);
    ++index;
  }
}

int StepOnce(SQLiteDB& db, SQLiteStatement& statement) {
  const int code = statement.Step();
  db.ReportFailure(code);
  return code;
}

bool Completed(int code) { return code == kSqliteOk || code == kSqliteRow || code == kSqliteDone; }

}  // namespace

bool RunWrite(ConfigStore& store, const char* sql, SqlParams params) {
  const ConfigStore::Lock lock = store.Hold();
  SQLiteStatement statement;
  PrepareAndBind(store.Db(), statement, sql, params);
  return Completed(StepOnce(store.Db(), statement));
}

int RunInsert(ConfigStore& store, const char* sql, SqlParams params) {
  const ConfigStore::Lock lock = store.Hold();
  SQLiteStatement statement;
  PrepareAndBind(store.Db(), statement, sql, params);
  if (!Completed(StepOnce(store.Db(), statement))) return 0;
  return static_cast<int>(store.Db().LastInsertRowId());
}

bool ReadOneRow(ConfigStore& store, const char* sql, SqlParams params, const RowReader& read) {
  const ConfigStore::Lock lock = store.Hold();
  SQLiteStatement statement;
  PrepareAndBind(store.Db(), statement, sql, params);
  if (StepOnce(store.Db(), statement) != kSqliteRow) return false;
  read(statement);
  return true;
}

int ReadAllRows(ConfigStore& store, const char* sql, SqlParams params, const RowReader& read) {
  const ConfigStore::Lock lock = store.Hold();
  SQLiteStatement statement;
  PrepareAndBind(store.Db(), statement, sql, params);
  int rows = 0;
  while (StepOnce(store.Db(), statement) == kSqliteRow) {
    read(statement);
    ++rows;
  }
  return rows;
}

}  // namespace korvane
