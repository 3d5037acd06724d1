#include "ui/profile_dlg.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

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

  // Runs the dialog on profile 2 and returns the requests (wparam, lparam) this run posted.
  std::vector<std::pair<std::int64_t, std::int64_t>> Run(const std::function<void()>& user) {
    const std::size_t before = toolkit.Delivered().size();
    toolkit.ScriptModal(kWindow, user);
    dialog.Run({{1, "Profile 1"}, {2, "Profile 2"}, {3, "Work"}, {4, "Profile 4"}}, 2, {10, 20, 200, 210});
    toolkit.Pump();
    std::vector<std::pair<std::int64_t, std::int64_t>> requests;
    for (std::size_t i = before; i < toolkit.Delivered().size(); ++i) {
      const auto& m = toolkit.Delivered()[i];
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

// Renaming stores the name at once and never switches: export acts on the
// current profile, and closing after a rename asks for nothing. Only a click
// on a profile picks it.
TEST_F(ProfileDlgTest, ARenameIsStoredAtOnceAndNeverSwitches) {
  EXPECT_EQ(Run([&] {
              RenameItem(3, "Sniper");
              EXPECT_EQ(renames, (std::vector<std::pair<int, std::string>>{{4, "Sniper"}}));
              EXPECT_EQ(toolkit.Selection(kList), 1) << "the current profile stays selected";
              toolkit.Click({kWindow, ui::ctl::profile::kExport});
            }),
            (Requests{{2, 2}}));
  EXPECT_EQ(Run([&] {
              RenameItem(0, "Main");
              toolkit.PostMessage(kWindow, ui::msg::kActivate, 0, 0);
              toolkit.Pump();
            }),
            Requests{});
  EXPECT_EQ(Run([&] {
              RenameItem(0, "Main");
              toolkit.Choose(kList, 2);
            }),
            (Requests{{0, 3}}));
}

// The name stored is the typed one without the blanks around it; a blank
// name, or the one the list already showed, stores nothing and the list
// shows the stored name again (a default name keeps following the language).
TEST_F(ProfileDlgTest, ABlankOrUnchangedNameKeepsTheStoredOne) {
  struct Case {
    int index;
    const char* typed;
    std::optional<std::string> stored;
    const char* shown;
  };
  for (const Case& c : {Case{2, "", std::nullopt, "Work"}, Case{2, " \t ", std::nullopt, "Work"},
                        Case{0, " Profile 1 ", std::nullopt, "Profile 1"}, Case{2, "  Aim  ", "Aim", "Aim"}}) {
    SCOPED_TRACE(c.typed);
    renames.clear();
    EXPECT_EQ(Run([&] {
                RenameItem(c.index, c.typed);
                EXPECT_EQ(toolkit.Items(kList)[c.index].text, c.shown);
                toolkit.Click({kWindow, ui::ctl::profile::kImport});
              }),
              (Requests{{1, 2}}));
    if (c.stored) {
      EXPECT_EQ(renames, (std::vector<std::pair<int, std::string>>{{c.index + 1, *c.stored}}));
    } else {
      EXPECT_TRUE(renames.empty());
    }
  }
}

}  // namespace
}  // namespace korvane
