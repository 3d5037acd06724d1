#include "ui/record_edit_dlg.hpp"

#include <utility>

#include "common/text_ids.hpp"
#include "keys/mouse_buttons.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/key_input.hpp"
#include "ui/message_box.hpp"
#include "ui/window_messages.hpp"

namespace korvane::ui {

namespace {

namespace edit = ctl::record_edit;
constexpr WindowId kWindow = WindowId::kRecordEdit;
constexpr ControlRef Control(int id) { return {kWindow, id}; }

}  // namespace

RecordEditDlg::RecordEditDlg(Toolkit& toolkit, TextLookup text) : toolkit_(toolkit), text_(std::move(text)) {
  toolkit_.SetHandler(kWindow, this);
}

RecordEditDlg::~RecordEditDlg() { toolkit_.SetHandler(kWindow, nullptr); }

std::optional<CapturedInput> RecordEditDlg::Run() {
  captured_.reset();
  toolkit_.SetText(Control(edit::kTitle), text_(text_id::kInsertKey));
  toolkit_.SetText(Control(edit::kLabel), text_(text_id::kEventKindKey));
  toolkit_.SetText(Control(edit::kField), "");
  toolkit_.SetTooltip(Control(edit::kField), text_(text_id::kKeyFieldHint));
  toolkit_.SetText(Control(edit::kConfirm), text_(text_id::kConfirm));
  if (toolkit_.RunModal(kWindow) != kResultConfirm) return std::nullopt;
  return captured_;
}

void RecordEditDlg::Capture(CapturedInput input) {
  toolkit_.SetText(Control(edit::kField), input.name);
  captured_ = std::move(input);
}

bool RecordEditDlg::OnControlEvent(int control, int event, std::int64_t param) {
  if (control == edit::kClose && event == event::kClick) {
    toolkit_.EndModal(kWindow, kResultCancel);
  } else if (control == edit::kConfirm && event == event::kClick) {
    toolkit_.EndModal(kWindow, kResultConfirm);
  } else if (control == edit::kField && event == event::kKeyPressed) {
    PressedKey pressed = KeyOfEvdev(toolkit_, static_cast<int>(param));
    if (pressed.key != 0) Capture({false, pressed.key, std::move(pressed.name)});
  } else if (control == edit::kField && event == event::kMouseButtonPressed) {
    const int bits = static_cast<int>(param);
    const std::string_view name = MouseButtonName(bits);
    if (!name.empty()) Capture({true, bits, std::string(name)});
  } else {
    return control == edit::kField;
  }
  return true;
}

std::int64_t RecordEditDlg::OnWindowMessage(int message, std::int64_t, std::int64_t) {
  if (message == msg::kClose) toolkit_.EndModal(kWindow, kResultCancel);
  return 0;
}

}  // namespace korvane::ui
