#include "ui/profile_dlg.hpp"

#include <gtest/gtest.h>

#include "support/fake_toolkit.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/window_messages.hpp"

namespace korvane {
namespace {

constexpr ui::WindowId kWindow = ui::WindowId::kProfile;
const ui::ControlRef kList{kWindow, ui::ctl::profile::kList};

TEST(ProfileName, ProfileWordIsReplacedOnlyAtTheStart) {
  struct Case {
    const char* stored;
    const char* shown;
  };
  const Case cases[] = {{"Profile 1", "Профиль 1"},
                        {"配置2", "Профиль 2"},
                        {"Gaming", "Gaming"},
                        {"My Profile", "My Profile"},
                        {"Profile", "Профиль"}};
  for (const Case& c : cases) EXPECT_EQ(ui::DisplayedProfileName(c.stored, "Профиль"), c.shown) << c.stored;
}

class ProfileDlgTest : public ::testing::Test {
 protected:
  test::FakeToolkit toolkit;
  std::vector<std::pair<int, std::string>> renames;
  ui::ProfileDlg dialog{toolkit, [](int id) { return id == 61 ? std::string("Profile") : std::string("T"); },
                        [this](int profile, const std::string& name) { renames.emplace_back(profile, name); }};

  void SetUp() override {
    for (int id : {ui::ctl::profile::kList, ui::ctl::profile::kImport, ui::ctl::profile::kExport}) {
      toolkit.AddControl({kWindow, id});
    }
  }

  // Runs the dialog on profile 2 and returns the requests (wparam, lparam) it posted.
  std::vector<std::pair<std::int64_t, std::int64_t>> Run(const std::function<void()>& user) {
    toolkit.ScriptModal(kWindow, user);
    dialog.Run({{1, "Profile 1"}, {2, "Profile 2"}, {3, "Work"}, {4, "Profile 4"}}, 2, {10, 20, 200, 210});
    toolkit.Pump();
    std::vector<std::pair<std::int64_t, std::int64_t>> requests;
    for (const auto& m : toolkit.Delivered()) {
      if (m.window == ui::WindowId::kMain && m.message == ui::msg::kProfileRequest) {
        requests.emplace_back(m.wparam, m.lparam);
      }
    }
    return requests;
  }

  void RenameItem(int index, const std::string& name) {
    auto item = toolkit.Items(kList)[index];
    item.text = name;
    toolkit.SetItem(kList, index, item);
    toolkit.Deliver(kList, ui::event::kValueTyped, index);
  }
};

using Requests = std::vector<std::pair<std::int64_t, std::int64_t>>;

TEST_F(ProfileDlgTest, ListsTheFourProfilesWithTheCurrentSelected) {
  Run([&] {
    const auto items = toolkit.Items(kList);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, "Profile 1");
    EXPECT_EQ(items[2].text, "Work");
    EXPECT_EQ(items[3].data, 4);
    EXPECT_EQ(toolkit.Selection(kList), 1);
  });
  EXPECT_EQ(toolkit.WindowRect(kWindow), (ui::Rect{10, 20, 200, 210}));
}

TEST_F(ProfileDlgTest, ChoosingAProfileSwitchesToItAndCloses) {
  EXPECT_EQ(Run([&] { toolkit.Choose(kList, 2); }), (Requests{{0, 3}}));
  EXPECT_EQ(toolkit.GetWindowState(kWindow), ui::WindowState::kHidden);
}

TEST_F(ProfileDlgTest, ImportWithoutRenameActsOnTheCurrentProfile) {
  EXPECT_EQ(Run([&] {
              toolkit.SetSelection(kList, 3);
              toolkit.Click({kWindow, ui::ctl::profile::kImport});
            }),
            (Requests{{1, 2}}));
}

TEST_F(ProfileDlgTest, LosingActivationWithoutRenameRequestsNothing) {
  EXPECT_EQ(Run([&] {
              toolkit.PostMessage(kWindow, ui::msg::kActivate, 0, 0);
              toolkit.Pump();
            }),
            Requests{});
  EXPECT_TRUE(renames.empty());
}

TEST_F(ProfileDlgTest, ARenameIsStoredAtOnceAndSwitchedToBeforeExport) {
  EXPECT_EQ(Run([&] {
              RenameItem(3, "Sniper");
              EXPECT_EQ(renames, (std::vector<std::pair<int, std::string>>{{4, "Sniper"}}));
              toolkit.Click({kWindow, ui::ctl::profile::kExport});
            }),
            (Requests{{0, 4}, {2, 4}}));
}

TEST_F(ProfileDlgTest, ARenamedProfileIsSwitchedToWhenTheDialogLosesActivation) {
  EXPECT_EQ(Run([&] {
              RenameItem(0, "Main");
              toolkit.PostMessage(kWindow, ui::msg::kActivate, 0, 0);
              toolkit.Pump();
            }),
            (Requests{{0, 1}}));
}

TEST_F(ProfileDlgTest, AnEmptyNameKeepsTheStoredOne) {
  EXPECT_EQ(Run([&] {
              RenameItem(2, "");
              EXPECT_EQ(toolkit.Items(kList)[2].text, "Work");
              toolkit.Click({kWindow, ui::ctl::profile::kImport});
            }),
            (Requests{{1, 2}}));
  EXPECT_TRUE(renames.empty());
}

}  // namespace
}  // namespace korvane
