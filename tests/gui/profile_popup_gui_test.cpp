// The profile pop-up of the real toolkit: renaming a profile in place from
// the pencil at the end of its row or from the keyboard, what keeps and what
// drops the typed name, and that only a plain click picks a profile.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "frontend/qt/profile_list.hpp"
#include "gui_fixture.hpp"
#include "ui/control_ids.hpp"
#include "ui/profile_dlg.hpp"
#include "ui/window_messages.hpp"

namespace korvane {
namespace {

using Requests = std::vector<std::pair<std::int64_t, std::int64_t>>;
using Renames = std::vector<std::pair<int, std::string>>;

// The main window's handler: keeps the profile requests the pop-up posts.
class RequestRecorder final : public ui::WindowHandler {
 public:
  Requests requests;

  bool OnControlEvent(int, int, std::int64_t) override { return false; }
  std::int64_t OnWindowMessage(int message, std::int64_t wparam, std::int64_t lparam) override {
    if (message == ui::msg::kProfileRequest) requests.emplace_back(wparam, lparam);
    return 0;
  }
};

class ProfilePopupGuiTest : public test::GuiTest {
 protected:
  RequestRecorder main;
  Renames renames;

  void SetUp() override {
    GuiTest::SetUp();
    toolkit->SetHandler(ui::WindowId::kMain, &main);
    toolkit->ShowWindow(ui::WindowId::kMain, ui::WindowState::kNormal);
    test::Settle();
  }

  void TearDown() override { toolkit->SetHandler(ui::WindowId::kMain, nullptr); }

  qt::ProfileList* List() const {
    return qobject_cast<qt::ProfileList*>(toolkit->Widget({ui::WindowId::kProfile, ui::ctl::profile::kList}));
  }

  // The open name field, if any.
  QLineEdit* Editor() const {
    for (QLineEdit* editor : List()->findChildren<QLineEdit*>("profileNameEditor")) {
      if (editor->isVisible()) return editor;
    }
    return nullptr;
  }

  bool PopupOpen() const { return List()->window()->isVisible(); }

  void ClickPencil(int row) {
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->PencilRect(row).center());
  }

  // Runs the pop-up on profile 2; user acts while it is open, and the
  // pop-up is closed as by a click elsewhere if user leaves it open.
  void Run(const std::function<void()>& user) {
    ui::ProfileDlg dialog(*toolkit, toolkit->Text(),
                          [this](int profile, const std::string& name) { renames.emplace_back(profile, name); });
    QTimer::singleShot(0, [&] {
      user();
      if (PopupOpen()) List()->window()->close();
    });
    dialog.Run({{1, "Profile 1"}, {2, "Profile 2"}, {3, "Long range sniper"}, {4, "Profile 4"}}, 2,
               {100, 100, 240, 210});
    test::Settle();
  }
};

// The pencil opens a field over the whole row with the whole name in it,
// and picks no profile; Enter keeps the name and leaves the pop-up open.
TEST_F(ProfilePopupGuiTest, ThePencilRenamesInPlaceAndEnterKeepsTheName) {
  Run([&] {
    ClickPencil(2);
    QLineEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(PopupOpen());
    EXPECT_EQ(editor->text(), "Long range sniper");
    EXPECT_EQ(editor->geometry(), List()->visualItemRect(List()->item(2)));
    EXPECT_LT(editor->fontMetrics().horizontalAdvance(editor->text()), editor->width() - 2 * 10)
        << "the whole name shows";
    List()->window()->grab().save(test::ScreenshotPath("profile_rename"));

    QTest::keyClicks(editor, "Aim");
    QTest::keyClick(editor, Qt::Key_Return);
    test::Settle();  // the field hands its text over once the key is handled
    EXPECT_EQ(renames, (Renames{{3, "Aim"}}));
    EXPECT_EQ(List()->item(2)->text(), "Aim");
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_TRUE(PopupOpen());
    EXPECT_EQ(List()->currentRow(), 1) << "the current profile stays selected";
  });
  EXPECT_EQ(main.requests, Requests{}) << "renaming switches to no profile";
}

// Escape drops the typed name; F2 renames the selected profile, and closing
// the pop-up while typing keeps the name.
TEST_F(ProfilePopupGuiTest, EscapeDropsTheNameAndClosingThePopupKeepsIt) {
  Run([&] {
    ClickPencil(0);
    ASSERT_NE(Editor(), nullptr);
    QTest::keyClicks(Editor(), "Main");
    QTest::keyClick(Editor(), Qt::Key_Escape);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(List()->item(0)->text(), "Profile 1");
    EXPECT_TRUE(PopupOpen()) << "Escape in the field closes only the field";

    QTest::keyClick(List(), Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text(), "Profile 2");
    QTest::keyClicks(Editor(), "Work");
  });
  EXPECT_EQ(renames, (Renames{{2, "Work"}}));
  EXPECT_EQ(main.requests, Requests{});
}

// Another pencil or a plain click on another profile while a name is typed
// keeps the name; the pencil moves the field to its row, the plain click
// picks its profile.
TEST_F(ProfilePopupGuiTest, AnotherPencilOrAPlainClickKeepsTheTypedName) {
  Run([&] {
    ClickPencil(0);
    ASSERT_NE(Editor(), nullptr);
    QTest::keyClicks(Editor(), "Main");
    ClickPencil(3);
    EXPECT_EQ(renames, (Renames{{1, "Main"}}));
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text(), "Profile 4");
    QTest::keyClicks(Editor(), "Spare");
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(List()->item(0)).center());
  });
  EXPECT_EQ(renames, (Renames{{1, "Main"}, {4, "Spare"}}));
  EXPECT_EQ(main.requests, (Requests{{0, 1}}));
}

}  // namespace
}  // namespace korvane
