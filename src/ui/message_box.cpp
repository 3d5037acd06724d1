#include "ui/message_box.hpp"

#include "common/text_ids.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/window_messages.hpp"

namespace korvane::ui {

namespace {

class MessageBoxLogic final : public WindowHandler {
 public:
  MessageBoxLogic(Toolkit& toolkit, int kind) : toolkit_(toolkit), kind_(kind) {}

  bool OnControlEvent(int control, int event, std::int64_t) override {
    if (event != event::kClick) return false;
    if (control == ctl::message_box::kConfirm) return End(true);
    if (control == ctl::message_box::kCancel) return End(false);
    return false;
  }

  std::int64_t OnWindowMessage(int message, std::int64_t, std::int64_t) override {
    if (message == msg::kClose) End(false);
    return 0;
  }

 private:
  Toolkit& toolkit_;
  int kind_;

  bool End(bool confirmed) {
    toolkit_.EndModal(WindowId::kMessageBox, MessageBoxResult(kind_, confirmed));
    return true;
  }
};

// Message boxes running now; the box is one window, so one at a time.
int showing = 0;

}  // namespace

bool MessageBoxShowing() { return showing > 0; }

int MessageBoxResult(int kind, bool confirmed) {
  return kind == kMessageOkCancel && !confirmed ? kResultCancel : kResultConfirm;
}

int ShowMessageBox(Toolkit& toolkit, const TextLookup& text, std::string_view title, std::string_view message,
                   int kind) {
  namespace box = ctl::message_box;
  constexpr WindowId kBox = WindowId::kMessageBox;
  const bool two_buttons = kind == kMessageOkCancel;
  // A box asked for while one is open (from work the open box's event loop
  // ran) would take over its window: it is not shown and counts as refused.
  if (MessageBoxShowing()) return MessageBoxResult(kind, false);
  ++showing;
  toolkit.SetText({kBox, box::kTitle}, title);
  toolkit.SetText({kBox, box::kMessage}, message);
  toolkit.SetText({kBox, box::kConfirm}, text(two_buttons ? text_id::kConfirm : text_id::kOk));
  toolkit.SetText({kBox, box::kCancel}, text(text_id::kCancel));
  toolkit.SetVisible({kBox, box::kCancel}, two_buttons);

  MessageBoxLogic logic(toolkit, two_buttons ? kMessageOkCancel : kMessageOk);
  toolkit.SetHandler(kBox, &logic);
  const int result = toolkit.RunModal(kBox);
  toolkit.SetHandler(kBox, nullptr);
  --showing;
  // A front end without this window returns 0: the box ended unanswered.
  return result == kResultConfirm || result == kResultCancel ? result : MessageBoxResult(kind, false);
}

}  // namespace korvane::ui
