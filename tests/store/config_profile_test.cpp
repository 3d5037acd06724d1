#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "store/config_table.hpp"
#include "store/key_table.hpp"
#include "store/macro_table.hpp"
#include "store/profile_table.hpp"
#include "support/store_fixture.hpp"

namespace korvane {
namespace {

class ConfigAndProfiles : public test::StoreTest {
 protected:
  void AddFourProfiles() {
    for (int i = 1; i <= 4; ++i) ASSERT_EQ(AddProfile(store_, {.name = "Profile " + std::to_string(i)}), i);
  }
  std::string Value(int profile, ConfigKey key) {
    std::string value;
    GetConfigValue(store_, profile, key, value);
    return value;
  }
};

TEST_F(ConfigAndProfiles, ANewProfileGetsTheWholeDefaultConfiguration) {
  ASSERT_EQ(AddProfile(store_, {.name = "Profile 1"}), 1);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_configdata WHERE profile = 1"), 39);
  EXPECT_EQ(Value(1, ConfigKey::kDpiGroup5Value), "26000");
  EXPECT_EQ(Value(1, ConfigKey::kVersion), "1.0.1");
  EXPECT_EQ(Value(1, ConfigKey::kESportsFlag), "0");
  EXPECT_EQ(Value(1, ConfigKey::kDpiGroup8Rgb), "2139135");
  std::string value = "stale";
  EXPECT_FALSE(GetConfigValue(store_, 2, ConfigKey::kReportRate, value)) << "no profile 2 yet";
  EXPECT_EQ(value, "") << "emptied when not found";
}

TEST(ConfigKeys, LevelKeysNameTheirLevelAndEveryNameIsStoredOnce) {
  for (int level = 0; level < kDpiColourKeys; ++level) {
    const std::string group = "dpi_group" + std::to_string(level);
    if (level < kDpiValueKeys) {
      EXPECT_EQ(ConfigKeyName(DpiValueKey(level)), group + "_value");
    }
    EXPECT_EQ(ConfigKeyName(DpiColourKey(level)), group + "_rgb");
  }
  std::set<std::string_view> names;
  for (const ConfigKey key : kConfigKeys) EXPECT_TRUE(names.insert(ConfigKeyName(key)).second) << ConfigKeyName(key);
}

TEST_F(ConfigAndProfiles, SetConfigValueUpdatesOneProfileAndNeverAddsAKey) {
  AddFourProfiles();
  EXPECT_TRUE(SetConfigValue(store_, 2, ConfigKey::kReportRate, "8"));
  EXPECT_EQ(Value(2, ConfigKey::kReportRate), "8");
  EXPECT_EQ(Value(1, ConfigKey::kReportRate), "2");

  ASSERT_TRUE(RunWrite(store_, "DELETE FROM t_configdata WHERE profile = 2 AND key = 'mouse_speed'", {}));
  EXPECT_TRUE(SetConfigValue(store_, 2, ConfigKey::kMouseSpeed, "3"))
      << "a key that is not stored still reports success";
  std::string value;
  EXPECT_FALSE(GetConfigValue(store_, 2, ConfigKey::kMouseSpeed, value));
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_configdata"), 4 * 39 - 1);
}

TEST_F(ConfigAndProfiles, SetActiveProfileLeavesExactlyOneActiveRow) {
  EXPECT_EQ(GetActiveProfile(store_), 0) << "no profiles";
  AddFourProfiles();
  EXPECT_EQ(GetActiveProfile(store_), 0) << "new profiles are inactive";
  for (const int profile : {3, 1, 4}) {
    EXPECT_TRUE(SetActiveProfile(store_, profile));
    EXPECT_EQ(QueryInt("SELECT count(*) FROM t_profile_data WHERE status = 1"), 1);
    EXPECT_EQ(GetActiveProfile(store_), profile);
  }
  EXPECT_TRUE(SetActiveProfile(store_, 9)) << "an unknown number still succeeds";
  EXPECT_EQ(GetActiveProfile(store_), 0) << "and leaves none active";
}

TEST_F(ConfigAndProfiles, ListProfilesKeepsInsertionOrderAndIgnoresTheRecordsTypeAndStatus) {
  AddFourProfiles();
  ASSERT_EQ(AddProfile(store_, {.name = "Fifth", .app = "", .type = 7, .status = 1}), 5);
  ASSERT_TRUE(SetActiveProfile(store_, 2));
  ASSERT_TRUE(StoreProfileName(store_, 4, "Renamed"));
  std::vector<ProfileRecord> profiles{ProfileRecord{.name = "left over"}};
  ASSERT_EQ(ListProfiles(store_, profiles), 5);
  ASSERT_EQ(profiles.size(), 5u);
  EXPECT_EQ(profiles[1], (ProfileRecord{.profile = 2, .name = "Profile 2", .app = "", .type = 0, .status = 1}));
  EXPECT_EQ(profiles[3].name, "Renamed");
  EXPECT_EQ(profiles[4], (ProfileRecord{.profile = 5, .name = "Fifth", .app = "", .type = 0, .status = 0}));
  std::string name = "stale";
  EXPECT_FALSE(GetProfileName(store_, 6, name));
  EXPECT_EQ(name, "");
}

// Every text goes into the database bound, as UTF-8, and comes back unchanged.
TEST_F(ConfigAndProfiles, AnyTextRoundTripsUnchanged) {
  ASSERT_EQ(AddProfile(store_, {.name = "Profile 1"}), 1);
  const std::vector<std::string> texts{
      "",
      "Profil für Spiele",
      "配置 1",
      "ملف التعريف ١",             // right-to-left
      "🎮🖱️ profile 🔥",  // emoji with a variation selector
      "it's \"quoted\" ?1 %s",
      "x'); DROP TABLE t_profile_data; --",
      std::string("nul\0inside", 10),
  };
  for (const std::string& text : texts) {
    std::string out;
    ASSERT_TRUE(StoreProfileName(store_, 1, text));
    ASSERT_TRUE(GetProfileName(store_, 1, out));
    EXPECT_EQ(out, text);

    ASSERT_TRUE(SetConfigValue(store_, 1, ConfigKey::kVersion, text));
    EXPECT_EQ(Value(1, ConfigKey::kVersion), text);

    const int macro = InsertMacroRow(store_, text);
    MacroHeader header;
    ASSERT_TRUE(LoadMacroRow(store_, macro, header));
    EXPECT_EQ(header.name, text);

    KeyAssignment key{.profile = 1, .key_code = 3, .layout_desc = text, .macro_value = 1, .macro_desc = text};
    key.key_id = StoreKeyAssignment(store_, key);
    KeyAssignment loaded;
    ASSERT_TRUE(LoadKeyAssignment(store_, 1, 3, loaded));
    EXPECT_EQ(loaded, key);
  }
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_profile_data"), 1);
}

}  // namespace
}  // namespace korvane
