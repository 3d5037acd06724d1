#include "store/sqlite_transaction.hpp"

#include "store/sqlite_db.hpp"

namespace korvane {

namespace {

// A savepoint begins a transaction when none is open and nests inside one
// that is, so an operation that keeps its rows together may run inside a
// larger one; releasing the outermost commits.
constexpr char kBegin[] = "SAVEPOINT korvane";
constexpr char kEnd[] = "RELEASE korvane";

}  // namespace

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* database) : database_(database) {
  if (!database_) return;
  if (database_->IsOpen()) database_->Execute(kBegin);
  active_ = true;
}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
  if (active_ && database_ && database_->IsOpen()) database_->Execute(kEnd);
  active_ = false;
}

bool SQLiteAutoTransaction::Begin() {
  if (!database_ || active_) return false;
  active_ = true;
  if (!database_->IsOpen()) return false;
  return database_->Execute(kBegin) == kSqliteOk;
}

bool SQLiteAutoTransaction::End() {
  if (!database_) return false;
  active_ = false;
  if (!database_->IsOpen()) return false;
  return database_->Execute(kEnd) == kSqliteOk;
}

}  // namespace korvane
