// The profile pop-up's export and import through the controller: the file's
// title names the profile and everything is written to the mouse.
#include <filesystem>

#include "controller_fixture.hpp"
#include "device/report_format.hpp"
#include "store/config_table.hpp"
#include "store/profile_table.hpp"
#include "ui/window_messages.hpp"

namespace korvane::test {
namespace {

TEST_F(ControllerTest, TheProfilePopUpExportsAndImportsProfileFiles) {
  Connect("korvane_arc_8k");
  SetConfigInt(controller->Store(), Profile(), ConfigKey::kButtonRespondTime, 11);
  const std::string file = (home / "gaming.xml").string();
  toolkit.ScriptFileDialog(file);
  controller->OnWindowMessage(ui::msg::kProfileRequest, 2, 0);
  ASSERT_TRUE(std::filesystem::exists(file));

  SetConfigInt(controller->Store(), Profile(), ConfigKey::kButtonRespondTime, 3);
  const std::size_t from = LogSize();
  toolkit.ScriptFileDialog(file);
  controller->OnWindowMessage(ui::msg::kProfileRequest, 1, 0);
  Drain();
  EXPECT_EQ(ConfigInt(controller->Store(), Profile(), ConfigKey::kButtonRespondTime), 11);
  std::string name;
  GetProfileName(controller->Store(), Profile(), name);
  EXPECT_EQ(name, "gaming");
  EXPECT_NE(toolkit.GetText(ui::ctl::kProfileButton).find("gaming"), std::string::npos);
  const auto commands = CommandsSince(from);
  EXPECT_NE(std::find(commands.begin(), commands.end(), report::kButtons), commands.end())
      << "everything is written to the mouse";

  toolkit.ScriptFileDialog((home / "missing.xml").string());
  controller->OnWindowMessage(ui::msg::kProfileRequest, 1, 0);
  GetProfileName(controller->Store(), Profile(), name);
  EXPECT_EQ(name, "gaming") << "an unreadable file changes nothing";
}

}  // namespace
}  // namespace korvane::test
