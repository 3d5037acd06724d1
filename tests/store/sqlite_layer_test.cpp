#include <gtest/gtest.h>

#include <string>

#include "store/macro_table.hpp"
#include "store/sqlite_db.hpp"
#include "store/sqlite_transaction.hpp"
#include "support/store_fixture.hpp"

namespace korvane {
namespace {

// The first column of the first row of a statement run with Execute.
std::string ExecuteText(SQLiteDB& db, const char* sql) {
  std::string text;
  db.Execute(
      sql,
      [](void* out, int, char** values, char**) {
        *static_cast<std::string*>(out) = values[0] ? values[0] : "";
        return 0;
      },
      &text);
  return text;
}

TEST(SQLiteDB, OpenInAMissingFolderFailsAndLeavesNoHandle) {
  test::TempDir dir;
  SQLiteDB db;
  EXPECT_FALSE(db.Open((dir / "missing/x.db").string(), kOpenOrCreate));
  EXPECT_FALSE(db.IsOpen());
}

TEST(SQLiteDB, EveryOperationWithoutAHandleIsMisuse) {
  SQLiteDB db;
  SQLiteStatement statement;
  EXPECT_EQ(db.Execute("SELECT 1"), kSqliteMisuse);
  EXPECT_EQ(db.Prepare(statement, "SELECT 1"), kSqliteMisuse);
  EXPECT_EQ(statement.BindInt(1, 5), kSqliteMisuse);
  EXPECT_EQ(statement.BindText(1, "x", 1), kSqliteMisuse);
  EXPECT_EQ(statement.Step(), kSqliteMisuse);
  EXPECT_EQ(statement.ColumnInt(0), 0);
  EXPECT_TRUE(statement.ColumnText(0).empty());
  EXPECT_EQ(db.LastInsertRowId(), -1);
  EXPECT_TRUE(db.Close());

  test::TempDir dir;
  ASSERT_TRUE(db.Open((dir / "x.db").string(), kOpenOrCreate));
  EXPECT_EQ(db.Execute(nullptr), kSqliteMisuse);
  EXPECT_EQ(db.Prepare(statement, nullptr), kSqliteMisuse);
}

TEST(SQLiteDB, CloseAndReopenAreRefusedWhileAStatementIsOpen) {
  test::TempDir dir;
  SQLiteDB db;
  ASSERT_TRUE(db.Open((dir / "a.db").string(), kOpenOrCreate));
  ASSERT_EQ(db.Execute("CREATE TABLE t (v INTEGER); INSERT INTO t VALUES (7);"), kSqliteOk);
  {
    SQLiteStatement statement;
    ASSERT_EQ(db.Prepare(statement, "SELECT v FROM t"), kSqliteOk);
    EXPECT_FALSE(db.Close());
    EXPECT_FALSE(db.Open((dir / "b.db").string(), kOpenOrCreate)) << "the old connection would leak";
    ASSERT_TRUE(db.IsOpen());
    ASSERT_EQ(statement.Step(), kSqliteRow) << "the connection stays usable";
    EXPECT_EQ(statement.ColumnInt(0), 7);
  }
  EXPECT_TRUE(db.Close());
  EXPECT_FALSE(db.IsOpen());
}

TEST(SQLiteAutoTransaction, OnAClosedDatabaseIsActiveUntilEnd) {
  SQLiteDB closed;
  SQLiteAutoTransaction transaction(&closed);
  EXPECT_TRUE(transaction.IsActive());
  EXPECT_FALSE(transaction.Begin()) << "already active";
  EXPECT_FALSE(transaction.End());
  EXPECT_FALSE(transaction.IsActive());
  EXPECT_FALSE(transaction.Begin());
  EXPECT_TRUE(transaction.IsActive());

  SQLiteAutoTransaction without(nullptr);
  EXPECT_FALSE(without.IsActive());
  EXPECT_FALSE(without.Begin());
  EXPECT_FALSE(without.End());
}

TEST(SQLiteAutoTransaction, OthersSeeTheWritesOnlyWhenTheScopeEnds) {
  test::TempDir dir;
  const std::string path = (dir / "t.db").string();
  SQLiteDB writer;
  SQLiteDB reader;
  ASSERT_TRUE(writer.Open(path, kOpenOrCreate));
  ASSERT_EQ(writer.Execute("CREATE TABLE t (v INTEGER)"), kSqliteOk);
  ASSERT_TRUE(reader.Open(path, kOpenExisting));
  {
    SQLiteAutoTransaction transaction(&writer);
    ASSERT_EQ(writer.Execute("INSERT INTO t VALUES (1); INSERT INTO t VALUES (2);"), kSqliteOk);
    EXPECT_EQ(ExecuteText(reader, "SELECT count(*) FROM t"), "0");
  }
  EXPECT_EQ(ExecuteText(reader, "SELECT count(*) FROM t"), "2");
}

TEST(SQLiteDB, RunsInWalModeWithNormalSync) {
  test::TempDir dir;
  const std::string path = (dir / "w.db").string();
  SQLiteDB db;
  ASSERT_TRUE(db.Open(path, kOpenOrCreate));
  ASSERT_EQ(db.Execute("CREATE TABLE t (v INTEGER)"), kSqliteOk);
  EXPECT_EQ(ExecuteText(db, "PRAGMA journal_mode"), "wal");
  EXPECT_EQ(ExecuteText(db, "PRAGMA synchronous"), "1");
  ASSERT_TRUE(db.Close());

  SQLiteDB other;
  ASSERT_TRUE(other.Open(path, kOpenExisting));
  EXPECT_EQ(ExecuteText(other, "PRAGMA journal_mode"), "wal") << "the mode is kept in the file";
}

class FailedInsert : public test::StoreTest {};

TEST_F(FailedInsert, ReturnsZeroNeverTheLastRowid) {
  ASSERT_EQ(InsertMacroRow(store_, "first"), 1);
  ASSERT_EQ(InsertMacroRow(store_, "second"), 2);

  // Another connection holds the write lock.
  SQLiteDB other;
  ASSERT_TRUE(other.Open(store_.Path(), kOpenExisting));
  ASSERT_EQ(other.Execute("BEGIN IMMEDIATE"), kSqliteOk);
  EXPECT_EQ(InsertMacroRow(store_, "busy"), 0);
  ASSERT_EQ(other.Execute("END"), kSqliteOk);

  // The table is gone.
  ASSERT_EQ(store_.Db().Execute("DROP TABLE t_macro_data"), kSqliteOk);
  EXPECT_EQ(InsertMacroRow(store_, "no table"), 0);
  EXPECT_EQ(store_.Db().LastInsertRowId(), 2) << "the connection still holds the stale id";
}

}  // namespace
}  // namespace korvane
