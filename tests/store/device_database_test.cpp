#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "store/config_table.hpp"
#include "store/key_table.hpp"
#include "store/macro_table.hpp"
#include "store/profile_table.hpp"
#include "support/store_fixture.hpp"

namespace korvane {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class DeviceDatabase : public test::StoreTest {};

TEST_F(DeviceDatabase, ANewFileHasTheEightTablesAndSevenIndexesAndNoRows) {
  EXPECT_EQ(store_.Path(), (dir_ / "db/test_data1.db").string());
  EXPECT_TRUE(store_.IsOpen());
  std::vector<std::string> tables;
  ReadAllRows(store_, "SELECT name FROM sqlite_master WHERE type = ? AND name NOT LIKE 'sqlite%' ORDER BY rowid",
              {"table"}, [&](const SQLiteStatement& row) { tables.emplace_back(row.ColumnText(0)); });
  EXPECT_EQ(tables, (std::vector<std::string>{"t_configdata", "t_profile_data", "t_key_macro_data", "t_key_otherdata",
                                              "t_macro_data", "t_macrorecord", "t_light_data", "t_key_light_data"}));
  EXPECT_EQ(QueryInt("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name NOT LIKE 'sqlite%'"), 7);
  for (const std::string& table : tables) {
    EXPECT_EQ(QueryInt(("SELECT count(*) FROM " + table).c_str()), 0) << table;
  }
}

TEST_F(DeviceDatabase, AnExistingFileKeepsItsRowsAndGetsTheTablesItLacks) {
  ASSERT_EQ(AddProfile(store_, {.name = "P1"}), 1);
  ASSERT_EQ(store_.Db().Execute("DROP TABLE t_light_data"), kSqliteOk);
  ASSERT_TRUE(store_.Close());

  ConfigStore again;
  ASSERT_TRUE(OpenDeviceDatabase(again, dir_.path(), "test"));
  std::string name;
  EXPECT_TRUE(GetProfileName(again, 1, name));
  EXPECT_EQ(name, "P1");
  int tables = -1;
  ReadOneRow(again, "SELECT count(*) FROM sqlite_master WHERE name = 't_light_data'", {},
             [&](const SQLiteStatement& row) { tables = row.ColumnInt(0); });
  EXPECT_EQ(tables, 1) << "a table an interrupted start left out is created";
}

TEST(DeviceDatabaseFile, WithoutTheDbFolderTheStoreIsClosedAndEveryOperationFailsQuietly) {
  test::TempDir dir;
  ConfigStore store;
  EXPECT_FALSE(OpenDeviceDatabase(store, dir.path(), "M3"));
  EXPECT_FALSE(store.IsOpen());
  EXPECT_EQ(store.Path(), (dir / "db/M3_data1.db").string());
  std::string value = "stale";
  EXPECT_FALSE(GetConfigValue(store, 1, ConfigKey::kReportRate, value));
  EXPECT_EQ(value, "");
  EXPECT_FALSE(SetConfigValue(store, 1, ConfigKey::kReportRate, "4"));
  EXPECT_EQ(AddProfile(store, {.name = "P"}), 0);
  EXPECT_EQ(GetActiveProfile(store), 0);
  EXPECT_EQ(InsertMacroRow(store, "m"), 0);
  std::vector<KeyAssignment> keys{KeyAssignment{}};
  EXPECT_EQ(LoadKeyAssignments(store, 1, keys), 0);
  EXPECT_TRUE(keys.empty());
}

// A damaged file fails every operation, is reported once on standard error
// with its path and SQLite's message, and is left exactly as it was.
struct DamagedFile {
  const char* label;
  std::string (*damage)(const std::string& good);
  const char* message;
};

void PrintTo(const DamagedFile& file, std::ostream* out) { *out << file.label; }

class DamagedDatabase : public ::testing::TestWithParam<DamagedFile> {};

TEST_P(DamagedDatabase, FailsQuietlyLogsOneLineAndKeepsTheFile) {
  test::TempDir dir;
  fs::create_directories(dir / "db");
  {
    ConfigStore store;
    ASSERT_TRUE(OpenDeviceDatabase(store, dir.path(), "good"));
    for (int i = 0; i < 4; ++i) AddProfile(store, {.name = "Profile"});
    SetActiveProfile(store, 2);
  }
  const std::string bytes = GetParam().damage(ReadBytes(dir / "db/good_data1.db"));
  const fs::path file = dir.Write("db/bad_data1.db", bytes);

  ConfigStore store;
  testing::internal::CaptureStderr();
  OpenDeviceDatabase(store, dir.path(), "bad");
  std::string value;
  EXPECT_FALSE(GetConfigValue(store, 2, ConfigKey::kReportRate, value));
  EXPECT_EQ(GetActiveProfile(store), 0);
  EXPECT_EQ(AddProfile(store, {.name = "P"}), 0);
  std::vector<ProfileRecord> profiles;
  EXPECT_EQ(ListProfiles(store, profiles), 0);
  EXPECT_EQ(InsertMacroRow(store, "m"), 0);
  store.Close();
  const std::string log = testing::internal::GetCapturedStderr();

  EXPECT_EQ(log, "korvane: settings database " + file.string() + ": " + GetParam().message + "\n");
  EXPECT_EQ(ReadBytes(file), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedDatabase,
    ::testing::Values(DamagedFile{"NotADatabase", [](const std::string& good) { return std::string(good.size(), 'x'); },
                                  "file is not a database"},
                      DamagedFile{"TruncatedToOnePage", [](const std::string& good) { return good.substr(0, 4096); },
                                  "database disk image is malformed"},
                      DamagedFile{"TruncatedToHalf",
                                  [](const std::string& good) { return good.substr(0, good.size() / 2); },
                                  "database disk image is malformed"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace korvane
