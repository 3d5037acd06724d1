#pragma once

namespace korvane {

class SQLiteDB;

// A scoped transaction. Leaving the scope commits what was done; there is no
// rollback. Transactions nest: one begun inside another commits with the
// outermost.
class SQLiteAutoTransaction {
 public:
  // With a database that has a connection, begins at once. Any database
  // (even a closed one) makes the object active; a null one leaves it
  // inactive.
  explicit SQLiteAutoTransaction(SQLiteDB* database);
  // Commits when active and the database is still open.
  virtual ~SQLiteAutoTransaction();
  SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
  SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

  // False without a database or when already active. On a closed database
  // marks the object active and returns false.
  bool Begin();
  // Commits. False without a database; on a closed one marks the object
  // inactive and returns false.
  bool End();

  bool IsActive() const { return active_; }

 private:
  SQLiteDB* database_;
  bool active_ = false;
};

}  // namespace korvane
