#pragma once

#include <atomic>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace korvane {

// SQLite result codes the layer itself returns or tests for.
inline constexpr int kSqliteOk = 0;
inline constexpr int kSqliteMisuse = 21;
inline constexpr int kSqliteRow = 100;
inline constexpr int kSqliteDone = 101;

// Open flags: read-write with full mutex for an existing file, plus create for
// a new one.
inline constexpr int kOpenExisting = 0x00010002;
inline constexpr int kOpenOrCreate = 0x00010006;

class SQLiteDB;

// A prepared statement. Every operation on a statement without a handle
// returns 21 (misuse), or 0 and empty text for the column reads. Destroying
// it finalises the handle.
class SQLiteStatement {
 public:
  SQLiteStatement() = default;
  virtual ~SQLiteStatement();
  SQLiteStatement(const SQLiteStatement&) = delete;
  SQLiteStatement& operator=(const SQLiteStatement&) = delete;

  bool HasHandle() const { return handle_ != nullptr; }

  // Indexes start at 1. The text is not copied: the caller keeps the bytes
  // alive until the statement has been stepped.
  int BindInt(int index, int value);
  int BindText(int index, const char* utf8, int byte_length);

  // 100 when a row is ready, 101 when done, else an error code.
  int Step();

  // Columns start at 0. The text stays valid until the next step or
  // finalisation.
  int ColumnInt(int column) const;
  std::string_view ColumnText(int column) const;

  // Finalises the handle; it is cleared only when SQLite accepts.
  int Finalize();

 private:
  friend class SQLiteDB;
  sqlite3_stmt* handle_ = nullptr;
};

// One SQLite connection. Result codes are SQLite's own; nothing throws.
class SQLiteDB {
 public:
  SQLiteDB() = default;
  // Interrupts pending work and releases the connection.
  virtual ~SQLiteDB();
  SQLiteDB(const SQLiteDB&) = delete;
  SQLiteDB& operator=(const SQLiteDB&) = delete;

  // Opens the file with the given flags, after closing a connection that is
  // already open (false, keeping that connection, when it cannot be closed).
  // The database runs in WAL journal mode with synchronous = NORMAL: writes
  // stay fast, and a power loss can lose the last writes but never damages
  // the file.
  bool Open(const std::string& path, int flags);

  // True without a connection. False, keeping the connection usable, while a
  // statement of it is still open.
  bool Close();

  bool IsOpen() const { return handle_ != nullptr; }

  using RowCallback = int (*)(void* context, int columns, char** values, char** names);

  // Runs one or more SQL statements. 21 without a connection or text.
  int Execute(const char* sql, RowCallback callback = nullptr, void* context = nullptr);

  // Finalises the statement's previous handle, then prepares the text on it.
  // A negative length reads the text up to its terminator. 21 without a
  // connection or text.
  int Prepare(SQLiteStatement& statement, const char* sql, int length = -1);

  // Rowid of the last successful insert on the connection; -1 without one.
  std::int64_t LastInsertRowId() const;

  // Counts a result that is an error (anything but OK, ROW and DONE) and
  // writes one line to standard error, naming the file and SQLite's message,
  // the first time the connection meets each message for its file.
  void ReportFailure(int code);

  // How many statements have failed on this connection since it was made.
  // An operation that compares the count before and after knows whether
  // any of its reads or writes failed, whatever each one returned.
  std::uint64_t Failures() const { return failures_; }

 private:
  // Interrupts and closes; the handle is cleared only when SQLite accepts.
  bool InterruptAndClose();

  sqlite3* handle_ = nullptr;
  std::string path_;
  std::set<std::string> reported_;  // messages already written to standard error
  std::atomic<std::uint64_t> failures_{0};
};

}  // namespace korvane
