#include <gtest/gtest.h>

#include "support/fake_toolkit.hpp"
#include "ui/control_ids.hpp"
#include "ui/dpi_tip.hpp"
#include "ui/save_tip.hpp"

namespace korvane {
namespace {

using std::chrono::milliseconds;
using ui::WindowId;
using ui::WindowState;

std::string Text(int id) { return "T" + std::to_string(id); }

TEST(SaveTip, EachTipKeepsItVisibleTwoSecondsAfterTheLastOne) {
  test::FakeToolkit toolkit;
  toolkit.SetWorkArea({0, 0, 1000, 800});
  ui::SaveTip tip(toolkit, Text);

  tip.ShowSaveTip();
  EXPECT_EQ(toolkit.GetWindowState(WindowId::kSaveTip), WindowState::kNormal);
  EXPECT_EQ(toolkit.WindowRect(WindowId::kSaveTip), (ui::Rect{330, 704, 340, 64})) << "near the work area's foot";
  EXPECT_EQ(toolkit.GetText({WindowId::kSaveTip, ui::ctl::save_tip::kText}), "T630");

  toolkit.Advance(milliseconds(1500));
  toolkit.SetValue({WindowId::kSaveTip, ui::ctl::save_tip::kBar}, 70);
  tip.ShowSaveTip();
  EXPECT_EQ(toolkit.Value({WindowId::kSaveTip, ui::ctl::save_tip::kBar}), 0) << "the bar restarts";
  EXPECT_TRUE(toolkit.State({WindowId::kSaveTip, ui::ctl::save_tip::kBar}).running);

  toolkit.Advance(milliseconds(1999));
  EXPECT_EQ(toolkit.GetWindowState(WindowId::kSaveTip), WindowState::kNormal) << "3.5 s after the first tip";
  toolkit.Advance(milliseconds(1));
  EXPECT_EQ(toolkit.GetWindowState(WindowId::kSaveTip), WindowState::kHidden);
  EXPECT_EQ(toolkit.ActiveTimers(), 0) << "a hidden tip keeps no timer";
}

// The notice and the program's dialogs belong to the main window while it is
// on screen, and to the work area while it is minimised or in the tray.
TEST(SaveTip, SitsAtTheFootOfTheMainWindowWhileThatIsOnScreen) {
  test::FakeToolkit toolkit;
  toolkit.SetWorkArea({0, 0, 1920, 1040});
  toolkit.MoveWindow(WindowId::kMain, {100, 50, 1300, 788});
  ui::SaveTip tip(toolkit, Text);
  const struct {
    WindowState main;
    ui::Rect tip;
  } cases[] = {
      {WindowState::kNormal, {580, 742, 340, 64}},
      {WindowState::kMaximised, {580, 742, 340, 64}},
      {WindowState::kMinimised, {790, 944, 340, 64}},
      {WindowState::kHidden, {790, 944, 340, 64}},
  };
  for (const auto& c : cases) {
    toolkit.ShowWindow(WindowId::kMain, c.main);
    tip.ShowSaveTip();
    EXPECT_EQ(toolkit.WindowRect(WindowId::kSaveTip), c.tip) << static_cast<int>(c.main);
  }
}

TEST(DpiTip, StartsHiddenShowsBottomRightAndHidesByTimerOrCloseButton) {
  test::FakeToolkit toolkit;
  toolkit.SetWorkArea({0, 0, 1920, 1040});
  toolkit.AddControl({WindowId::kDpiTip, ui::ctl::dpi_tip::kClose});
  ui::DpiTip tip(toolkit, Text);
  const ui::ControlRef value{WindowId::kDpiTip, ui::ctl::dpi_tip::kValue};
  const ui::ControlRef bar{WindowId::kDpiTip, ui::ctl::dpi_tip::kBar};

  EXPECT_EQ(toolkit.GetWindowState(WindowId::kDpiTip), WindowState::kHidden);
  EXPECT_EQ(toolkit.GetText(value), "1600");
  EXPECT_EQ(toolkit.State({WindowId::kDpiTip, ui::ctl::dpi_tip::kClose}).tooltip, "T5");

  tip.ShowDpiTip(3200);
  EXPECT_EQ(toolkit.GetText(value), "3200");
  EXPECT_EQ(toolkit.Value(bar), 3200);
  EXPECT_EQ(toolkit.WindowRect(WindowId::kDpiTip), (ui::Rect{1618, 908, 300, 130}));
  toolkit.Advance(milliseconds(2000));
  EXPECT_EQ(toolkit.GetWindowState(WindowId::kDpiTip), WindowState::kHidden);

  tip.ShowDpiTip(26000);
  EXPECT_EQ(toolkit.Value(bar), 16000) << "the bar ends at 16000";
  EXPECT_TRUE(toolkit.Click({WindowId::kDpiTip, ui::ctl::dpi_tip::kClose}));
  EXPECT_EQ(toolkit.GetWindowState(WindowId::kDpiTip), WindowState::kHidden);
  EXPECT_EQ(toolkit.ActiveTimers(), 0);
}

}  // namespace
}  // namespace korvane
