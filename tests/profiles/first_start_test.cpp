#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "model_fixture.hpp"
#include "profiles/profile_manager.hpp"
#include "store/device_database.hpp"
#include "store/profile_table.hpp"
#include "store/store_query.hpp"

namespace korvane {
namespace {

constexpr int kFinished = 3;
constexpr int kKilled = 9;

// The child process dies at the start of this SQLite statement, as a start
// killed by the user or the system would.
int statement_to_die_at = 0;
int statements_started = 0;

int DieAtTheChosenStatement(unsigned, void*, void*, void*) {
  if (++statements_started == statement_to_die_at) _exit(kKilled);
  return 0;
}

int WatchStatements(sqlite3* db, char**, const sqlite3_api_routines*) {
  sqlite3_trace_v2(db, SQLITE_TRACE_STMT, DieAtTheChosenStatement, nullptr);
  return SQLITE_OK;
}

class FirstStart : public test::ModelFixture {
 protected:
  int Start() {
    Load(1);
    return EnsureProfiles(store_, Sources(), "Profile");
  }

  // Runs the first start on an empty data folder in a child process that is
  // killed when its n-th statement starts. True when the start finished
  // before it got that far.
  bool StartKilledAtStatement(int n) {
    store_.Close();
    std::filesystem::remove_all(dir_ / "data/db");
    std::filesystem::create_directories(dir_ / "data/db");
    const pid_t child = fork();
    if (child == 0) {
      statement_to_die_at = n;
      sqlite3_auto_extension(reinterpret_cast<void (*)()>(WatchStatements));
      Start();
      _exit(kFinished);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    return WEXITSTATUS(status) == kFinished;
  }

  int Count(const std::string& sql) {
    int value = -1;
    ReadOneRow(store_, sql.c_str(), {}, [&](const SQLiteStatement& row) { value = row.ColumnInt(0); });
    return value;
  }

  // The whole schema, four profiles each with every configuration key and the
  // model's first DPI level, exactly one of them active.
  void ExpectComplete(int n) {
    SCOPED_TRACE("killed at statement " + std::to_string(n));
    EXPECT_EQ(Count("SELECT count(*) FROM sqlite_master WHERE name NOT LIKE 'sqlite_%'"), 15);
    EXPECT_EQ(Count("SELECT count(*) FROM t_profile_data WHERE profile BETWEEN 1 AND 4"), 4);
    EXPECT_EQ(Count("SELECT count(*) FROM t_profile_data WHERE status = 1"), 1);
    for (int profile = 1; profile <= kProfileCount; ++profile) {
      EXPECT_EQ(Count("SELECT count(DISTINCT key) FROM t_configdata WHERE profile = " + std::to_string(profile)),
                static_cast<int>(std::size(kConfigKeys)));
      EXPECT_EQ(Value(profile, ConfigKey::kDpiGroup0Value), "400") << "profile " << profile;
    }
    EXPECT_EQ(Count("SELECT count(*) FROM t_configdata WHERE profile NOT BETWEEN 1 AND 4"), 0);
  }
};

TEST_F(FirstStart, AStartKilledAtAnyStatementIsCompletedByTheNext) {
  int n = 1;
  for (; !StartKilledAtStatement(n); ++n) {
    EXPECT_EQ(Start(), 1);
    ExpectComplete(n);
  }
  EXPECT_GT(n, 20) << "the start runs the schema and the profiles' rows";
}

TEST_F(FirstStart, ACompleteDatabaseIsLeftAsTheUserMadeIt) {
  Start();
  ASSERT_TRUE(SetActiveProfile(store_, 3));
  ASSERT_TRUE(StoreProfileName(store_, 2, "Aim"));
  ASSERT_TRUE(RunWrite(store_, "DELETE FROM t_configdata WHERE profile = 4 AND key = 'report_rate'", {}));
  ASSERT_TRUE(RunWrite(store_, "DELETE FROM t_profile_data WHERE profile = 1", {}));

  EXPECT_EQ(Start(), 3);
  std::string name;
  EXPECT_TRUE(GetProfileName(store_, 2, name));
  EXPECT_EQ(name, "Aim");
  EXPECT_EQ(Value(4, ConfigKey::kReportRate), "2") << "a lost key gets its default row";
  EXPECT_TRUE(GetProfileName(store_, 1, name)) << "a lost profile is added again";
  EXPECT_EQ(Count("SELECT count(*) FROM t_configdata WHERE profile = 1"), static_cast<int>(std::size(kConfigKeys)));
}

}  // namespace
}  // namespace korvane
