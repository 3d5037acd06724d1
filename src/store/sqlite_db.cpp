#include "store/sqlite_db.hpp"

#include <sqlite3.h>

#include <iostream>

namespace korvane {

namespace {
// Applied to every connection; see SQLiteDB::Open.
constexpr int kBusyTimeoutMs = 3000;
constexpr char kConnectionPragmas[] = "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;";

// Stops statements of the connection that are still running. Only then: an
// interrupt left pending would also stop the checkpoint that folds the WAL
// file back into the database when the connection closes.
void InterruptPendingWork(sqlite3* handle) {
  if (sqlite3_next_stmt(handle, nullptr)) sqlite3_interrupt(handle);
}
}  // namespace

SQLiteStatement::~SQLiteStatement() { Finalize(); }

int SQLiteStatement::BindInt(int index, int value) {
  if (!handle_) return kSqliteMisuse;
  return sqlite3_bind_int(handle_, index, value);
}

int SQLiteStatement::BindText(int index, const char* utf8, int byte_length) {
  if (!handle_) return kSqliteMisuse;
  return sqlite3_bind_text(handle_, index, utf8, byte_length, SQLITE_STATIC);
}

int SQLiteStatement::Step() {
  if (!handle_) return kSqliteMisuse;
  return sqlite3_step(handle_);
}

int SQLiteStatement::ColumnInt(int column) const {
  if (!handle_) return 0;
  return sqlite3_column_int(handle_, column);
}

std::string_view SQLiteStatement::ColumnText(int column) const {
  if (!handle_) return {};
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(handle_, column));
  if (!text) return {};
  return {text, static_cast<std::size_t>(sqlite3_column_bytes(handle_, column))};
}

int SQLiteStatement::Finalize() {
  if (!handle_) return kSqliteOk;
  const int code = sqlite3_finalize(handle_);
  // sqlite3_finalize always releases the statement; its code repeats the
  // last step's error.
  handle_ = nullptr;
  return code;
}

SQLiteDB::~SQLiteDB() {
  if (!handle_) return;
  InterruptPendingWork(handle_);
  // A statement still open keeps the connection alive until it is finalised.
  sqlite3_close_v2(handle_);
}

bool SQLiteDB::InterruptAndClose() {
  if (!handle_) return true;
  InterruptPendingWork(handle_);
  if (sqlite3_close(handle_) != SQLITE_OK) return false;
  handle_ = nullptr;
  return true;
}

bool SQLiteDB::Open(const std::string& path, int flags) {
  if (!InterruptAndClose()) return false;
  // Each kind of error is told once per file, also across reopenings.
  if (path != path_) reported_.clear();
  path_ = path;
  sqlite3* handle = nullptr;
  if (sqlite3_open_v2(path.c_str(), &handle, flags, nullptr) != SQLITE_OK) {
    sqlite3_close(handle);
    return false;
  }
  handle_ = handle;
  // Another program holding the file for a moment (a write of korvanectl,
  // say) is waited for rather than failed.
  sqlite3_busy_timeout(handle_, kBusyTimeoutMs);
  // The result is not checked: a file that cannot take the pragmas is
  // reported once by Execute and fails every later operation.
  Execute(kConnectionPragmas);
  return true;
}

bool SQLiteDB::Close() { return InterruptAndClose(); }

int SQLiteDB::Execute(const char* sql, RowCallback callback, void* context) {
  if (!handle_ || !sql) return kSqliteMisuse;
  const int code = sqlite3_exec(handle_, sql, callback, context, nullptr);
  ReportFailure(code);
  return code;
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sql, int length) {
  statement.Finalize();
  if (!handle_ || !sql) return kSqliteMisuse;
  const int code = sqlite3_prepare_v2(handle_, sql, length, &statement.handle_, nullptr);
  ReportFailure(code);
  return code;
}

std::int64_t SQLiteDB::LastInsertRowId() const {
  if (!handle_) return -1;
  return sqlite3_last_insert_rowid(handle_);
}

void SQLiteDB::ReportFailure(int code) {
  const int primary = code & 0xFF;
  if (primary == SQLITE_OK || primary == SQLITE_ROW || primary == SQLITE_DONE) return;
  ++failures_;
  if (!handle_) return;
  const std::string message = sqlite3_errmsg(handle_);
  if (!reported_.insert(message).second) return;
  std::cerr << "korvane: settings database " << path_ << ": " << message << '\n';
}

}  // namespace korvane
