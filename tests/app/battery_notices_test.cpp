#include "app/battery_notices.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/battery_alert.hpp"
#include "support/fake_toolkit.hpp"
#include "support/temp_dir.hpp"
#include "ui/control_ids.hpp"

namespace korvane {
namespace {

// The levels told for each charge value of a series, 0 where nothing is.
std::vector<int> Told(const std::vector<int>& charges) {
  std::vector<int> told;
  int lowest = 0;
  for (const int charge : charges) {
    const BatteryAlertStep step = NextBatteryAlert(lowest, charge);
    lowest = step.lowest_told;
    told.push_back(step.tell);
  }
  return told;
}

TEST(BatteryAlertTest, TellsEachLevelOnceOnTheWayDown) {
  struct Case {
    const char* what;
    std::vector<int> charges;
    std::vector<int> told;
  };
  const std::vector<Case> cases = {
      {"a slow discharge", {25, 20, 19, 15, 10, 9, 6, 5, 4, 1}, {0, 0, 20, 0, 0, 10, 0, 0, 5, 0}},
      {"wavering around a level", {21, 19, 20, 19, 22, 18, 24, 19}, {0, 20, 0, 0, 0, 0, 0, 0}},
      {"a fall past several levels", {60, 7, 3}, {0, 10, 5}},
      {"a first value already low", {4, 4, 9}, {5, 0, 0}},
      {"charged back above, then down again", {19, 25, 19}, {20, 0, 20}},
      {"charged above the lower levels only", {4, 10, 4, 16, 9}, {5, 0, 5, 0, 10}},
      {"values without battery information", {19, 0, 101, -3, 19, 9}, {20, 0, 0, 0, 0, 10}},
  };
  for (const Case& c : cases) EXPECT_EQ(Told(c.charges), c.told) << c.what;
}

class BatteryNoticesTest : public ::testing::Test {
 protected:
  test::TempDir home;
  AppSettings settings{home.path()};
  test::FakeToolkit toolkit;
  std::vector<DesktopNotice> sent;
  BatteryNotices notices{toolkit, settings, [](int id) { return "t" + std::to_string(id); },
                         [this](const DesktopNotice& notice) { sent.push_back(notice); }};
};

TEST_F(BatteryNoticesTest, SendsTheCrossedLevelInTheLanguageAndMarksTheLastCritical) {
  notices.Load();
  EXPECT_TRUE(toolkit.IsChecked(ui::ctl::kBatteryNotices));
  for (const int charge : {40, 18, 17, 4}) notices.OnBattery(charge);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].title, "t761");
  EXPECT_EQ(sent[0].body, "t762: 18 %");
  EXPECT_FALSE(sent[0].critical);
  EXPECT_EQ(sent[1].body, "t762: 4 %");
  EXPECT_TRUE(sent[1].critical);
}

TEST_F(BatteryNoticesTest, TheBoxTurnsThemOffAndIsRemembered) {
  notices.SetEnabled(false);
  EXPECT_EQ(settings.Read("battery_notify").value, "0");
  notices.OnBattery(15);
  EXPECT_TRUE(sent.empty());

  notices.Load();
  EXPECT_FALSE(toolkit.IsChecked(ui::ctl::kBatteryNotices));
  // Ticked again, a level passed while off is not told late; the next is.
  notices.SetEnabled(true);
  notices.OnBattery(14);
  EXPECT_TRUE(sent.empty());
  notices.OnBattery(9);
  EXPECT_EQ(sent.size(), 1u);
}

}  // namespace
}  // namespace korvane
