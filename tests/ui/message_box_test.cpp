#include "ui/message_box.hpp"

#include <gtest/gtest.h>

#include "support/fake_toolkit.hpp"
#include "ui/control_ids.hpp"
#include "ui/window_messages.hpp"

namespace korvane {
namespace {

namespace box = ui::ctl::message_box;
constexpr ui::WindowId kBox = ui::WindowId::kMessageBox;

std::string Text(int id) { return "T" + std::to_string(id); }

enum class Ending { kConfirm, kCancel, kCloseRequest, kUnanswered };

int ShowBox(int kind, Ending ending, test::FakeToolkit& toolkit) {
  toolkit.AddControl({kBox, box::kConfirm});
  toolkit.AddControl({kBox, box::kCancel});
  toolkit.ScriptModal(kBox, [&toolkit, ending] {
    if (ending == Ending::kConfirm) toolkit.Click({kBox, box::kConfirm});
    if (ending == Ending::kCancel) toolkit.Click({kBox, box::kCancel});
    if (ending == Ending::kCloseRequest) {
      toolkit.PostMessage(kBox, ui::msg::kClose, ui::kResultCancel, 0);
      toolkit.Pump();
    }
  });
  return ui::ShowMessageBox(toolkit, Text, "title", "message", kind);
}

TEST(MessageBox, KindZeroCanOnlyConfirmKindFourRefusesUnlessConfirmed) {
  struct Case {
    int kind;
    Ending ending;
    int result;
  };
  const Case cases[] = {
      {ui::kMessageOk, Ending::kConfirm, 1},
      {ui::kMessageOk, Ending::kCancel, 1},
      {ui::kMessageOk, Ending::kCloseRequest, 1},
      {ui::kMessageOk, Ending::kUnanswered, 1},
      {ui::kMessageOkCancel, Ending::kConfirm, 1},
      {ui::kMessageOkCancel, Ending::kCancel, 2},
      {ui::kMessageOkCancel, Ending::kCloseRequest, 2},
      {ui::kMessageOkCancel, Ending::kUnanswered, 2},
  };
  for (const Case& c : cases) {
    test::FakeToolkit toolkit;
    EXPECT_EQ(ShowBox(c.kind, c.ending, toolkit), c.result) << "kind " << c.kind << " ending " << int(c.ending);
  }
}

TEST(MessageBox, ButtonsAndCaptionsFollowTheKind) {
  test::FakeToolkit ok;
  ShowBox(ui::kMessageOk, Ending::kConfirm, ok);
  EXPECT_EQ(ok.GetText({kBox, box::kTitle}), "title");
  EXPECT_EQ(ok.GetText({kBox, box::kMessage}), "message");
  EXPECT_EQ(ok.GetText({kBox, box::kConfirm}), "T20");
  EXPECT_FALSE(ok.IsVisible({kBox, box::kCancel}));
  EXPECT_EQ(ok.GetWindowState(kBox), ui::WindowState::kHidden);

  test::FakeToolkit ok_cancel;
  ShowBox(ui::kMessageOkCancel, Ending::kConfirm, ok_cancel);
  EXPECT_EQ(ok_cancel.GetText({kBox, box::kConfirm}), "T23");
  EXPECT_EQ(ok_cancel.GetText({kBox, box::kCancel}), "T25");
  EXPECT_TRUE(ok_cancel.IsVisible({kBox, box::kCancel}));
}

}  // namespace
}  // namespace korvane
