#include "ui/main_texts.hpp"

#include <gtest/gtest.h>

#include <set>

#include "support/fake_toolkit.hpp"
#include "ui/control_ids.hpp"

namespace korvane {
namespace {

TEST(MainTexts, LanguageSwitchRecaptionsTabsKeepingItemsAndSelection) {
  test::FakeToolkit toolkit;
  std::string language = "en";
  const TextLookup text = [&](int id) { return language + std::to_string(id); };
  ui::AddMainTabs(toolkit, text);
  toolkit.SetSelection(ui::ctl::kTabStrip, 2);
  ui::ApplyMainWindowTexts(toolkit, text);
  EXPECT_EQ(toolkit.GetText(ui::ctl::kAutostart), "en604");

  language = "ru";
  ui::ApplyMainWindowTexts(toolkit, text);
  const auto tabs = toolkit.Items(ui::ctl::kTabStrip);
  ASSERT_EQ(tabs.size(), 6u);
  EXPECT_EQ(tabs[0].text, "ru71");
  EXPECT_EQ(tabs[5].text, "ru76");
  EXPECT_EQ(tabs[5].data, ui::ctl::tab::kDevice);
  EXPECT_EQ(tabs[4].image, "icon/tab_light.png");
  EXPECT_EQ(toolkit.Selection(ui::ctl::kTabStrip), 2);
  EXPECT_EQ(toolkit.GetText(ui::ctl::kAutostart), "ru604");
  EXPECT_EQ(toolkit.State(ui::ctl::kDpiReset).tooltip, "ru252");
}

TEST(MainTexts, EachControlIsCaptionedOnce) {
  std::set<std::pair<int, bool>> seen;
  for (const ui::TextBinding& binding : ui::MainWindowTexts()) {
    EXPECT_TRUE(seen.insert({binding.control, binding.tooltip}).second) << binding.control;
  }
}

}  // namespace
}  // namespace korvane
