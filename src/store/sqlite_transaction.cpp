#include "store/sqlite_transaction.hpp"

#include "store/sqlite_db.hpp"

namespace korvane {

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* database) : database_(database) {
  if (!database_) return;
  if (database_->IsOpen()) database_->Execute("BEGIN");
  active_ = true;
}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
  if (active_ && database_ && database_->IsOpen()) database_->Execute("END");
  active_ = false;
}

bool SQLiteAutoTransaction::Begin() {
  if (!database_ || active_) return false;
  active_ = true;
  if (!database_->IsOpen()) return false;
  return database_->Execute("BEGIN") == kSqliteOk;
}

bool SQLiteAutoTransaction::End() {
  if (!database_) return false;
  active_ = false;
  if (!database_->IsOpen()) return false;
  return database_->Execute("END") == kSqliteOk;
}

}  // namespace korvane
