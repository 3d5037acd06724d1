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
  EXPECT_EQ(toolkit.WindowRect(WindowId::kSaveTip), (ui::Rect{250, 300, 500, 200}));
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
