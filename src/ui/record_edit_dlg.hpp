#pragma once

#include <optional>
#include <string>

#include "common/text_lookup.hpp"
#include "ui/toolkit.hpp"

namespace korvane::ui {

// What the macro-step editor captured: a key (virtual-key code) or a mouse
// button (its bits), with the name shown for it.
struct CapturedInput {
  bool mouse_button = false;
  int code = 0;
  std::string name;
};

// RecordEditDlg: the macro-step editor. Its field captures one key pressed
// while it has the focus, or a mouse button pressed on it; the last one
// captured is the result.
class RecordEditDlg final : public WindowHandler {
 public:
  RecordEditDlg(Toolkit& toolkit, TextLookup text);
  ~RecordEditDlg() override;
  RecordEditDlg(const RecordEditDlg&) = delete;
  RecordEditDlg& operator=(const RecordEditDlg&) = delete;

  // Shows the editor modally; what was captured when it was confirmed, or
  // nullopt when it was closed or confirmed with nothing captured.
  std::optional<CapturedInput> Run();

  bool OnControlEvent(int control, int event, std::int64_t param) override;
  std::int64_t OnWindowMessage(int message, std::int64_t wparam, std::int64_t lparam) override;

 private:
  Toolkit& toolkit_;
  TextLookup text_;
  std::optional<CapturedInput> captured_;

  void Capture(CapturedInput input);
};

}  // namespace korvane::ui
