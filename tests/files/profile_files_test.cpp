#include "files/profile_files.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalog/model_definition.hpp"
#include "common/text.hpp"
#include "performance/lighting_model.hpp"
#include "store/config_table.hpp"
#include "store/key_table.hpp"
#include "store/light_table.hpp"
#include "store/profile_table.hpp"
#include "support/store_fixture.hpp"

namespace korvane {
namespace {

// Two profiles of a model with buttons 0..5, all report rates and every
// lighting mode but mode 5.
class ProfileFilesTest : public test::StoreTest {
 protected:
  ProfileFilesTest() {
    for (int profile : {1, 2}) {
      EXPECT_EQ(AddProfile(store_, {.profile = profile, .name = "Profile " + std::to_string(profile)}), profile);
      EnsureDefaultLightRows(store_, profile, {true, true, true, true, false, true});
    }
    rules_.buttons = {0, 1, 2, 3, 4, 5};
    rules_.rate_capability = 7;
  }

  std::string Setting(int profile, ConfigKey key) {
    std::string value;
    GetConfigValue(store_, profile, key, value);
    return value;
  }

  std::vector<KeyAssignment> Keys(int profile) {
    std::vector<KeyAssignment> keys;
    LoadKeyAssignments(store_, profile, keys);
    return keys;
  }

  std::string Import(const std::string& document, const std::string& title = "gaming") {
    return ImportProfileDocument(store_, 2, document, title, rules_);
  }

  ProfileRules rules_;
};

TEST_F(ProfileFilesTest, ARoundTripReproducesTheProfileUnderTheFilesTitle) {
  StoreKeyAssignment(
      store_,
      {.profile = 1, .key_code = 3, .macro_type = 2, .macro_value = 4, .macro_value2 = 1, .macro_desc = "Ctrl + A"});
  StoreKeyAssignment(store_, {.profile = 1, .key_code = 4, .macro_type = 9, .macro_value = 1, .macro_desc = "Off"});
  LightSetting light;
  ASSERT_TRUE(LoadLightRow(store_, 1, 2, light));
  light.brightness = 3;
  light.color_value[6] = 0x123456;
  UpdateLightRow(store_, 2, light);
  MarkActiveLight(store_, 1, 2);
  SetConfigInt(store_, 1, ConfigKey::kDpiCount, 4);
  SetConfigInt(store_, 1, ConfigKey::kDpiIndex, 2);
  SetConfigInt(store_, 1, DpiValueKey(3), 12000);
  SetConfigInt(store_, 1, DpiColourKey(3), 0xABCDEF);
  SetConfigInt(store_, 1, ConfigKey::kReportRate, 4);
  SetConfigInt(store_, 1, ConfigKey::kSleepLight, 60);

  const std::string document = ProfileDocument(store_, 1, "Profile 1");
  EXPECT_EQ(document.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n", 0), 0u);
  EXPECT_NE(document.find("<item key_code=\"3\" macro_type=\"2\" macro_value=\"4\" macro_value2=\"1\" "
                          "macro_value3=\"0\" macro_desc=\"Ctrl + A\""),
            std::string::npos);
  EXPECT_NE(document.find("<Lightitems lightmode=\"2\">"), std::string::npos);
  EXPECT_NE(document.find("<Mouse_DPI dpi_flag="), std::string::npos);
  EXPECT_NE(document.find("<e_sports_flag value="), std::string::npos);

  StoreKeyAssignment(store_, {.profile = 2, .key_code = 5, .macro_type = 9, .macro_value = 1, .macro_desc = "Gone"});
  ASSERT_EQ(Import(document), "");
  std::string name;
  GetProfileName(store_, 2, name);
  EXPECT_EQ(name, "gaming") << "the file's title, not its name attribute";
  const auto keys = Keys(2);
  ASSERT_EQ(keys.size(), 2u) << "the profile's own assignments are replaced";
  EXPECT_EQ(keys[0].macro_desc, "Ctrl + A");
  EXPECT_EQ(LoadActiveLightMode(store_, 2), 2);
  LightSetting copied;
  ASSERT_TRUE(LoadLightRow(store_, 2, 2, copied));
  EXPECT_EQ(copied.brightness, 3);
  EXPECT_EQ(copied.color_value[6], 0x123456);
  for (const ConfigKey key : {ConfigKey::kDpiCount, ConfigKey::kDpiIndex, DpiValueKey(3), DpiColourKey(3),
                              ConfigKey::kReportRate, ConfigKey::kSleepLight, ConfigKey::kButtonRespondTime}) {
    EXPECT_EQ(Setting(2, key), Setting(1, key)) << ConfigKeyName(key);
  }
}

TEST_F(ProfileFilesTest, MissingPartsLeaveWhatTheyWouldHaveChanged) {
  SetConfigInt(store_, 2, ConfigKey::kReportRate, 3);
  MarkActiveLight(store_, 2, 1);
  ASSERT_EQ(Import("<profile><profileinfo><Lightitems lightmode='5'><item light_mode='5' brightness='1'/></Lightitems>"
                   "<Mouse><button_respondtime value='12'/></Mouse></profileinfo></profile>"),
            "");
  EXPECT_EQ(Setting(2, ConfigKey::kReportRate), "3") << "no report_rate element";
  EXPECT_EQ(Setting(2, ConfigKey::kButtonRespondTime), "12");
  EXPECT_EQ(LoadActiveLightMode(store_, 2), 1) << "a mode the profile lacks is not marked";
  LightSetting missing;
  EXPECT_FALSE(LoadLightRow(store_, 2, 5, missing)) << "no row is created";
}

// Values the pages could not have made are left out or held to range.
TEST_F(ProfileFilesTest, HostileValuesNeverReachTheStore) {
  SetConfigInt(store_, 2, ConfigKey::kReportRate, 3);
  SetConfigInt(store_, 2, ConfigKey::kDpiCount, 5);
  const std::string before_colour = Setting(2, DpiColourKey(0));
  ASSERT_EQ(Import("<profile><profileinfo name='x'>"
                   "<keyitems><item key_code='4000' macro_type='1' macro_value='1'/>"
                   "<item key_code='0' macro_type='9' macro_value='1'/>"
                   "<item key_code='2' macro_type='77' macro_value='1'/>"
                   "<item key_code='3' macro_type='2' macro_value='99999999'/>"
                   "<item key_code='1' macro_type='9' macro_value='1' macro_desc='\xFF\xFE'/></keyitems>"
                   "<Lightitems lightmode='2'><item light_mode='2' brightness='70' speed='-1' "
                   "color_value1='-5'/></Lightitems>"
                   "<Mouse_DPI dpi_count='99' dpi_index='40'><DPI1 value='9999999' color='-5'/></Mouse_DPI>"
                   "<Mouse><report_rate value='99'/><liftoff_height value='7'/><sleep_light value='13'/>"
                   "<button_respondtime value='500'/></Mouse></profileinfo></profile>"),
            "");
  const auto keys = Keys(2);
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].key_code, 1);
  EXPECT_TRUE(IsValidUtf8(keys[0].macro_desc));
  LightSetting light;
  ASSERT_TRUE(LoadLightRow(store_, 2, 2, light));
  EXPECT_LE(light.brightness, 4);
  EXPECT_GE(light.speed, 0);
  EXPECT_GE(light.color_value[0], 0);
  EXPECT_EQ(Setting(2, ConfigKey::kDpiCount), "5");
  EXPECT_LT(ConfigInt(store_, 2, ConfigKey::kDpiIndex), 5);
  EXPECT_LE(ConfigInt(store_, 2, DpiValueKey(0)), 32000);
  EXPECT_EQ(Setting(2, DpiColourKey(0)), before_colour);
  EXPECT_EQ(Setting(2, ConfigKey::kReportRate), "3");
  EXPECT_EQ(Setting(2, ConfigKey::kLiftOffHeight), "1");
  EXPECT_EQ(Setting(2, ConfigKey::kSleepLight), "30");
  EXPECT_EQ(Setting(2, ConfigKey::kButtonRespondTime), "20");
}

TEST_F(ProfileFilesTest, UnreadableFilesChangeNothing) {
  const auto folder = dir_.path() / "files";
  std::filesystem::create_directories(folder);
  const struct {
    const char* name;
    const char* content;
    const char* problem;
  } cases[] = {
      {"empty.xml", "", "not XML: "},
      {"truncated.xml", "<profile><profileinfo", "not XML: "},
      {"macro.xml", "<macro><macroinfo/></macro>", "no <profile> root"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream(folder / c.name) << c.content;
    EXPECT_EQ(ImportProfileFile(store_, 2, folder / c.name, rules_).rfind(c.problem, 0), 0u);
  }
  EXPECT_EQ(ImportProfileFile(store_, 2, folder, rules_), "not a regular file");
  std::string name;
  GetProfileName(store_, 2, name);
  EXPECT_EQ(name, "Profile 2");
}

}  // namespace
}  // namespace korvane
