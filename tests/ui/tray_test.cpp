#include "ui/tray.hpp"

#include <gtest/gtest.h>

#include "common/text.hpp"
#include "support/fake_toolkit.hpp"
#include "ui/about_dlg.hpp"
#include "ui/window_messages.hpp"

namespace korvane {
namespace {

TEST(TrayTooltip, LongCaptionsAreCutTo127CharactersNeverInsideOne) {
  EXPECT_EQ(ui::TrayTooltip(std::string(200, 'k')), std::string(127, 'k'));
  EXPECT_EQ(ui::TrayTooltip("Korvane Center"), "Korvane Center");
  std::string wide;
  for (int i = 0; i < 200; ++i) wide += "Ж";
  const std::string tooltip = ui::TrayTooltip(wide);
  EXPECT_EQ(Utf8Length(tooltip), 127u);
  EXPECT_EQ(tooltip.size(), 254u);
}

TEST(TrayClick, LeftShowsTheWindowRightOffersExit) {
  for (int message : {ui::tray::kLeftDown, ui::tray::kLeftDoubleClick}) {
    test::FakeToolkit toolkit;
    toolkit.ShowWindow(ui::WindowId::kMain, ui::WindowState::kHidden);
    ui::HandleTrayClick(toolkit, message, "Exit");
    EXPECT_EQ(toolkit.GetWindowState(ui::WindowId::kMain), ui::WindowState::kNormal) << message;
    EXPECT_TRUE(toolkit.LastMenu().empty());
  }

  test::FakeToolkit toolkit;
  ui::HandleTrayClick(toolkit, ui::tray::kRightUp, "Exit");
  ASSERT_EQ(toolkit.LastMenu().size(), 1u);
  EXPECT_EQ(toolkit.LastMenu()[0].text, "Exit");
  toolkit.ChooseMenuItem(0);
  ASSERT_EQ(toolkit.Delivered().size(), 1u);
  EXPECT_EQ(toolkit.Delivered()[0].message, ui::msg::kCommand);
  EXPECT_EQ(toolkit.Delivered()[0].wparam, ui::command::kExit);

  ui::HandleTrayClick(toolkit, 512, "Exit");  // pointer moving over the icon
  EXPECT_TRUE(toolkit.LastMenu().empty());
}

TEST(AboutBox, VersionLineTakesTheReleaseDigits) {
  EXPECT_EQ(ui::ReleaseVersionText("Firmware version", 0x0105), "Firmware version: v1.05");
  EXPECT_EQ(ui::ReleaseVersionText("F", 0x1A2B), "F: v1.2B");
  EXPECT_EQ(ui::ReleaseVersion(0x42), "v4.42");
  EXPECT_EQ(ui::ReleaseVersion(0x5), "v5.5");
}

}  // namespace
}  // namespace korvane
