#include <gtest/gtest.h>

#include <vector>

#include "performance/dpi_model.hpp"
#include "performance/lighting_model.hpp"
#include "performance/pointer_settings.hpp"
#include "performance/rate_model.hpp"
#include "performance/sensor_power_model.hpp"
#include "store/config_table.hpp"
#include "store/light_table.hpp"
#include "store/profile_table.hpp"
#include "support/store_fixture.hpp"
#include "worker/connection_state.hpp"
#include "worker/task_queue.hpp"

namespace korvane::test {
namespace {

// One profile with the default configuration, the shared state and the
// queue the page operations write to.
class PerformanceModelTest : public StoreTest {
 protected:
  void SetUp() override {
    ProfileRecord record;
    record.name = "Profile 1";
    profile_ = AddProfile(store_, record);
    ASSERT_GT(profile_, 0);
    state_.current_profile = profile_;
  }

  std::string Key(ConfigKey key) {
    std::string value;
    GetConfigValue(store_, profile_, key, value);
    return value;
  }
  void Set(ConfigKey key, const std::string& value) { SetConfigValue(store_, profile_, key, value); }

  std::vector<int> Queued() {
    std::vector<int> codes;
    while (const auto code = queue_.Pop()) codes.push_back(*code);
    return codes;
  }

  void UseSensor(int sensor_id, int rate_capability = 4) {
    DeviceInfoValues info;
    info.sensor_id = sensor_id;
    info.rate_capability = rate_capability;
    state_.SetInfo(info);
  }

  int profile_ = 0;
  ConnectionState state_;
  WakeSignal wake_;
  TaskQueue queue_{wake_};
  SettingsTarget target_{store_, state_, queue_};
  DpiCache cache_;
};

TEST_F(PerformanceModelTest, DpiCountChangeClampsTheActiveLevel) {
  Set(ConfigKey::kDpiCount, "3");
  Set(ConfigKey::kDpiIndex, "5");
  EXPECT_TRUE(ChangeDpiCount(target_, cache_, 3));
  EXPECT_EQ(Key(ConfigKey::kDpiIndex), "2");
  EXPECT_EQ(Key(ConfigKey::kDpiCount), "3");
  EXPECT_EQ(Queued(), std::vector<int>{kTaskDpiLevels});

  EXPECT_FALSE(ChangeDpiCount(target_, cache_, 7));
  EXPECT_FALSE(ChangeDpiCount(target_, cache_, 0));
  EXPECT_EQ(Key(ConfigKey::kDpiCount), "3");
  EXPECT_TRUE(Queued().empty());
}

TEST_F(PerformanceModelTest, SelectingALevelQueuesOnlyWhenItChangesAndNeverPastTheCount) {
  Set(ConfigKey::kDpiCount, "4");
  EXPECT_EQ(SelectDpiLevel(target_, cache_, 3), true);
  EXPECT_EQ(SelectDpiLevel(target_, cache_, 3), false);
  EXPECT_EQ(SelectDpiLevel(target_, cache_, 4), std::nullopt);
  EXPECT_EQ(SelectDpiLevel(target_, cache_, -1), std::nullopt);
  EXPECT_EQ(Key(ConfigKey::kDpiIndex), "3");
  EXPECT_EQ(Queued(), std::vector<int>{kTaskDpiLevels});
}

TEST_F(PerformanceModelTest, TypedAndSlidDpiValuesAreStoredSnappedForTheSensor) {
  UseSensor(37);
  EXPECT_EQ(TypeDpiValue(target_, 1, "7700"), 7000);
  EXPECT_EQ(Key(ConfigKey::kDpiGroup1Value), "7000");
  EXPECT_EQ(TypeDpiValue(target_, 0, "dpi"), 100) << "text that is not a number is the minimum";
  EXPECT_EQ(TypeDpiValue(target_, 6, "800"), std::nullopt) << "level 6 is never sent";
  EXPECT_EQ(SlideDpiValue(target_, 2, 55, false), 7500);
  EXPECT_EQ(SlideDpiValue(target_, 2, 999, true), 10000) << "past the slider's end";
  EXPECT_EQ(Key(ConfigKey::kDpiGroup2Value), "10000");
  EXPECT_EQ(Queued(), (std::vector<int>{kTaskDpiLevels, kTaskDpiLevels, kTaskDpiLevels}));
}

TEST_F(PerformanceModelTest, BlackOrOutOfRangeDpiColoursAreRefused) {
  Set(ConfigKey::kDpiGroup1Rgb, "255");
  EXPECT_FALSE(SetDpiColour(target_, 1, 0));
  EXPECT_FALSE(SetDpiColour(target_, 1, 0x1000000));
  EXPECT_FALSE(SetDpiColour(target_, 6, 0x00FF00));
  EXPECT_EQ(Key(ConfigKey::kDpiGroup1Rgb), "255");
  EXPECT_TRUE(Queued().empty());
  EXPECT_TRUE(SetDpiColour(target_, 1, 0x00FF00));
  EXPECT_EQ(Key(ConfigKey::kDpiGroup1Rgb), "65280");
  EXPECT_EQ(Queued(), std::vector<int>{kTaskDpiColours});
}

TEST_F(PerformanceModelTest, DpiNotificationStoresOnlyWhatChangedAndIgnoresImpossibleReports) {
  EXPECT_TRUE(HandleDpiNotification(store_, state_, cache_, 4, 2));
  EXPECT_EQ(Key(ConfigKey::kDpiCount), "4");
  EXPECT_EQ(Key(ConfigKey::kDpiFlag), "4");
  EXPECT_EQ(Key(ConfigKey::kDpiIndex), "2");
  Set(ConfigKey::kDpiCount, "6");
  Set(ConfigKey::kDpiIndex, "5");
  EXPECT_FALSE(HandleDpiNotification(store_, state_, cache_, 4, 2)) << "the cached values repeated";
  EXPECT_FALSE(HandleDpiNotification(store_, state_, cache_, 0, 0));
  EXPECT_FALSE(HandleDpiNotification(store_, state_, cache_, 3, 3));
  EXPECT_FALSE(HandleDpiNotification(store_, state_, cache_, 7, 1));
  EXPECT_EQ(Key(ConfigKey::kDpiCount), "6");
  EXPECT_EQ(Key(ConfigKey::kDpiIndex), "5");
  EXPECT_TRUE(HandleDpiNotification(store_, state_, cache_, 4, 1));
  EXPECT_EQ(Key(ConfigKey::kDpiCount), "6") << "only the level changed";
  EXPECT_EQ(Key(ConfigKey::kDpiIndex), "1");
  EXPECT_TRUE(Queued().empty()) << "nothing is written back to the mouse";
}

TEST_F(PerformanceModelTest, RatesOfferedFollowTheCapability) {
  EXPECT_EQ(OfferedRates(6).size(), 4u);
  ASSERT_EQ(OfferedRates(7).size(), 7u);
  EXPECT_EQ(OfferedRates(7).back().code, 64);
  EXPECT_EQ(RateOfHertz(125)->code, 8);
  EXPECT_EQ(RateOfCode(7), std::nullopt);
  EXPECT_EQ(OfferedRateIndex(7, 64), 6u);
  EXPECT_EQ(OfferedRateIndex(6, 64), std::nullopt) << "a rate not offered selects nothing";
  EXPECT_EQ(OfferedRateIndex(4, 7), std::nullopt);

  UseSensor(0, 4);
  EXPECT_FALSE(ChangeReportRate(target_, 16)) << "2000 Hz is not offered below capability 7";
  EXPECT_FALSE(ChangeReportRate(target_, 3));
  EXPECT_TRUE(ChangeReportRate(target_, 8));
  EXPECT_EQ(Key(ConfigKey::kReportRate), "8");
  EXPECT_EQ(Key(ConfigKey::kReportRateWireless), "8");
  UseSensor(0, 7);
  EXPECT_TRUE(ChangeReportRate(target_, 64));
  EXPECT_EQ(Queued(), (std::vector<int>{kTaskReportRate, kTaskReportRate}));
}

TEST_F(PerformanceModelTest, SensorAndPowerChangesStoreTheirKeysAndQueueTheirTask) {
  EXPECT_EQ(ClampResponseTime("25"), 20);
  EXPECT_EQ(ClampResponseTime("-3"), 0);
  EXPECT_EQ(ClampResponseTime("fast"), 0);
  EXPECT_EQ(ClampResponseTime("99999999999999999999"), 20);

  EXPECT_EQ(EditResponseTime(target_, "25"), 20);
  EXPECT_EQ(Key(ConfigKey::kButtonRespondTime), "20");
  EXPECT_TRUE(Queued().empty()) << "typing sends nothing until confirmed";
  for (const auto& [stored, two] : {std::pair{"2", true}, {"02", false}, {"3", false}}) {
    Set(ConfigKey::kLiftOffHeight, stored);
    EXPECT_EQ(LiftOffIsTwoMillimetres(store_, profile_), two) << stored;
  }

  ASSERT_EQ(Key(ConfigKey::kSensorFlag), "53");
  ChangeSensorOptions(target_, {true, false, true});
  EXPECT_EQ(Key(ConfigKey::kSensorFlag), "20") << "bits 0 and 5 of the old value are gone";
  ChangeLiftOff(target_, true);
  EXPECT_EQ(Key(ConfigKey::kLiftOffHeight), "2");
  ChangeResponseTime(target_, 40);
  EXPECT_EQ(Key(ConfigKey::kButtonRespondTime), "20");
  EXPECT_FALSE(ChangeSleepTime(target_, 7));
  EXPECT_TRUE(ChangeSleepTime(target_, 120));
  EXPECT_EQ(Key(ConfigKey::kSleepLight), "120");
  ChangeMoveWakeup(target_, false);
  ChangeMoveLightOff(target_, true);
  EXPECT_EQ(Key(ConfigKey::kMoveWakeup), "0");
  EXPECT_EQ(Key(ConfigKey::kMoveCloseLight), "1");
  EXPECT_EQ(Queued(),
            (std::vector<int>{kTaskSensor, kTaskSensor, kTaskResponseTime, kTaskPower, kTaskPower, kTaskPower}));
}

TEST_F(PerformanceModelTest, LightRowsAreCreatedOnlyForEnabledModes) {
  std::array<bool, kLightModes> enabled{};
  enabled[2] = true;  // light_3
  enabled[5] = true;  // light_6: lighting off
  EXPECT_EQ(EnsureDefaultLightRows(store_, profile_, enabled), 2);
  std::vector<LightSetting> rows;
  ASSERT_EQ(LoadLightRows(store_, profile_, rows), 2);
  EXPECT_EQ(rows[0].mode, 3);
  EXPECT_EQ(rows[0].config_func, 17);
  EXPECT_EQ(rows[0].reserved, 282);
  EXPECT_EQ(rows[0].color_value[6], 0xFFFFFF);
  EXPECT_EQ(rows[1].mode, 0);
  EXPECT_EQ(LoadActiveLightMode(store_, profile_), 0) << "mode 1 has no row, so none is active";
  enabled.fill(true);
  EXPECT_EQ(EnsureDefaultLightRows(store_, profile_, enabled), 2) << "existing rows are kept";
}

TEST_F(PerformanceModelTest, LightColoursGoToColourOneOrTheSelectedSlot) {
  std::array<bool, kLightModes> enabled;
  enabled.fill(true);
  EnsureDefaultLightRows(store_, profile_, enabled);
  LightSetting before;
  LoadLightRow(store_, profile_, 2, before);

  ASSERT_TRUE(ChangeLightMode(target_, 3));
  EXPECT_TRUE(ApplyLightColour(target_, 0x123456, 4));
  LightSetting steady;
  LoadLightRow(store_, profile_, 3, steady);
  EXPECT_EQ(steady.color_value[0], 0x123456);
  EXPECT_EQ(steady.color_value[4], before.color_value[4]);

  ASSERT_TRUE(ChangeLightMode(target_, 2));
  EXPECT_TRUE(ApplyLightColour(target_, 0x123456, 4));
  LightSetting breathing;
  LoadLightRow(store_, profile_, 2, breathing);
  EXPECT_EQ(breathing.color_value[4], 0x123456);
  EXPECT_EQ(breathing.color_value[0], before.color_value[0]) << "the slots are the colours";
  EXPECT_EQ(LoadActiveLightMode(store_, profile_), 2);

  ASSERT_TRUE(ChangeLightMode(target_, 1));
  EXPECT_FALSE(ApplyLightColour(target_, 0x123456)) << "mode 1 has no free colour";
  EXPECT_FALSE(SetLightBrightness(target_, 5));
  EXPECT_TRUE(SetLightSpeed(target_, 0));
  Queued();
  EXPECT_FALSE(ChangeLightMode(target_, 9));
  EXPECT_EQ(state_.current_light_mode, 1);
  EXPECT_EQ(LoadActiveLightMode(store_, profile_), 1);
  EXPECT_TRUE(Queued().empty());
}

TEST(PointerSettings, TheDesktopsOwnPanelIsChosenElseAnyInstalledOne) {
  using Command = std::vector<std::string>;
  const Command gnome{"gnome-control-center", "mouse"};
  const Command kde{"systemsettings", "kcm_mouse"};
  auto only = [](std::vector<std::string> programs) {
    return
        [programs](const std::string& p) { return std::find(programs.begin(), programs.end(), p) != programs.end(); };
  };
  EXPECT_EQ(SystemMouseSettingsCommand("ubuntu:GNOME", only({"gnome-control-center", "systemsettings"})), gnome);
  EXPECT_EQ(SystemMouseSettingsCommand("KDE", only({"gnome-control-center", "systemsettings"})), kde);
  EXPECT_EQ(SystemMouseSettingsCommand("XFCE", only({"systemsettings"})), kde);
  EXPECT_EQ(SystemMouseSettingsCommand("KDE", only({"gnome-control-center"})), gnome);
  EXPECT_TRUE(SystemMouseSettingsCommand("GNOME", only({})).empty());
  EXPECT_TRUE(SystemMouseSettingsCommand("", only({})).empty());
}

}  // namespace
}  // namespace korvane::test
