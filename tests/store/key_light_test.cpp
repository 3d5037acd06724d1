#include <gtest/gtest.h>

#include <vector>

#include "store/key_table.hpp"
#include "store/light_table.hpp"
#include "support/store_fixture.hpp"

namespace korvane {
namespace {

class KeyTable : public test::StoreTest {
 protected:
  int Rows() { return QueryInt("SELECT count(*) FROM t_key_macro_data"); }
};

KeyAssignment Key(int profile, int key_code, int macro_value, int macro_value2) {
  return {.profile = profile,
          .key_code = key_code,
          .layout_value = key_code,
          .layout_desc = "900",
          .macro_type = 4,
          .macro_value = macro_value,
          .macro_value2 = macro_value2,
          .macro_value3 = 9,
          .macro_desc = "Macro"};
}

TEST_F(KeyTable, ARowIsKeptOnlyWhileMacroValueOrMacroValue2IsSet) {
  struct Case {
    int macro_value;
    int macro_value2;
    bool kept;
  };
  for (const Case& c : {Case{0, 5, true}, Case{3, 0, true}, Case{0, 0, false}}) {
    SCOPED_TRACE(testing::Message() << c.macro_value << "/" << c.macro_value2);
    ASSERT_GT(StoreKeyAssignment(store_, Key(1, 2, 7, 7)), 0);
    const int id = StoreKeyAssignment(store_, Key(1, 2, c.macro_value, c.macro_value2));
    KeyAssignment loaded;
    EXPECT_EQ(LoadKeyAssignment(store_, 1, 2, loaded), c.kept);
    EXPECT_EQ(id != 0, c.kept);
    EXPECT_EQ(Rows(), c.kept ? 1 : 0);
    if (c.kept) {
      EXPECT_EQ(loaded.macro_value2, c.macro_value2);
    }
  }
}

TEST_F(KeyTable, StoringAKeyAgainReplacesItsRowWithANewId) {
  const int first = StoreKeyAssignment(store_, Key(1, 2, 5, 0));
  KeyAssignment newer = Key(1, 2, 6, 1);
  newer.key_id = StoreKeyAssignment(store_, newer);
  EXPECT_GT(newer.key_id, first);
  KeyAssignment loaded;
  ASSERT_TRUE(LoadKeyAssignment(store_, 1, 2, loaded));
  EXPECT_EQ(loaded, newer) << "all eleven columns";
  EXPECT_EQ(Rows(), 1);
}

TEST_F(KeyTable, ReadsSeeLayerZeroOfOneProfileOnly) {
  StoreKeyAssignment(store_, Key(1, 0, 1, 0));
  StoreKeyAssignment(store_, Key(1, 1, 1, 0));
  StoreKeyAssignment(store_, Key(2, 0, 1, 0));
  KeyAssignment shifted = Key(1, 4, 1, 0);
  shifted.fn_layer = 1;
  StoreKeyAssignment(store_, shifted);

  std::vector<KeyAssignment> keys{KeyAssignment{}};
  ASSERT_EQ(LoadKeyAssignments(store_, 1, keys), 2);
  EXPECT_EQ(keys[0].key_code, 0);
  EXPECT_EQ(keys[1].key_code, 1);
  KeyAssignment loaded;
  EXPECT_FALSE(LoadKeyAssignment(store_, 1, 4, loaded)) << "fn_layer 1 is never read";

  EXPECT_TRUE(StoreKeyDescription(store_, 1, 1, "Copy"));
  ASSERT_TRUE(LoadKeyAssignment(store_, 1, 1, loaded));
  EXPECT_EQ(loaded.macro_desc, "Copy");

  EXPECT_TRUE(DeleteProfileKeys(store_, 1));
  EXPECT_EQ(LoadKeyAssignments(store_, 1, keys), 0);
  EXPECT_EQ(LoadKeyAssignments(store_, 2, keys), 1);
}

class LightTable : public test::StoreTest {};

LightSetting Light(int profile, int mode) {
  return {.profile = profile,
          .name = "Mode " + std::to_string(mode),
          .mode = mode,
          .brightness = 3,
          .speed = 2,
          .direction = 1,
          .colorful = 1,
          .colorindex = 4,
          .color_value = {255, 65280, 16711680, 65535, 16711935, 16776960, 16777215},
          .config_func = 5,
          .reserved = 6,
          .status = 0};
}

TEST_F(LightTable, RowsRoundTripAllNineteenColumns) {
  std::vector<LightSetting> rows;
  for (int mode = 1; mode <= 3; ++mode) {
    rows.push_back(Light(1, mode));
    rows.back().light_id = InsertLightRow(store_, rows.back());
    ASSERT_GT(rows.back().light_id, 0);
  }
  InsertLightRow(store_, Light(2, 1));
  EXPECT_EQ(CountLightRows(store_, 1), 3);
  EXPECT_EQ(CountLightRows(store_, 3), 0);
  LightSetting loaded;
  ASSERT_TRUE(LoadLightRow(store_, 1, 2, loaded));
  EXPECT_EQ(loaded, rows[1]);
  EXPECT_FALSE(LoadLightRow(store_, 1, 6, loaded));
  std::vector<LightSetting> all;
  EXPECT_EQ(LoadLightRows(store_, 1, all), 3);
  EXPECT_EQ(all, rows);
}

TEST_F(LightTable, UpdateChangesTheSettingsButNeverNameModeOrStatus) {
  LightSetting stored = Light(1, 2);
  stored.status = 1;
  stored.light_id = InsertLightRow(store_, stored);
  LightSetting change = Light(1, 5);
  change.name = "other";
  change.brightness = 9;
  change.color_value[6] = 42;
  change.reserved = 77;

  EXPECT_TRUE(UpdateLightRow(store_, 2, change));
  LightSetting loaded;
  ASSERT_TRUE(LoadLightRow(store_, 1, 2, loaded));
  LightSetting expected = change;
  expected.light_id = stored.light_id;
  expected.name = stored.name;
  expected.mode = 2;
  expected.status = 1;
  EXPECT_EQ(loaded, expected);

  EXPECT_TRUE(UpdateLightRow(store_, 4, Light(1, 4))) << "no row for the mode: success, nothing changed";
  ASSERT_TRUE(LoadLightRow(store_, 1, 2, loaded));
  EXPECT_EQ(loaded, expected);
}

TEST_F(LightTable, MarkActiveLightLeavesOneActiveModePerProfile) {
  for (int mode = 1; mode <= 3; ++mode) InsertLightRow(store_, Light(1, mode));
  LightSetting other = Light(2, 1);
  other.status = 1;
  InsertLightRow(store_, other);
  EXPECT_EQ(LoadActiveLightMode(store_, 1), 0);

  EXPECT_TRUE(MarkActiveLight(store_, 1, 3));
  EXPECT_TRUE(MarkActiveLight(store_, 1, 2));
  EXPECT_EQ(LoadActiveLightMode(store_, 1), 2);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_light_data WHERE profile = 1 AND status = 1"), 1);
  EXPECT_EQ(LoadActiveLightMode(store_, 2), 1) << "another profile is untouched";

  EXPECT_TRUE(MarkActiveLight(store_, 1, 6));
  EXPECT_EQ(LoadActiveLightMode(store_, 1), 0) << "a mode without a row leaves none active";
}

}  // namespace
}  // namespace korvane
