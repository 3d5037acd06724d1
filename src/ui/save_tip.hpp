#pragma once

#include "common/text_lookup.hpp"
#include "ui/tip_window.hpp"

namespace korvane::ui {

// SaveWaitDlg: the "saving" notice shown after a change was queued for the
// mouse: a small strip centred near the lower edge of the main window (of the
// work area while the window is not on screen), shown without taking focus or
// clicks, hidden 2000 ms after the last ShowSaveTip.
class SaveTip final : public WindowHandler {
 public:
  static constexpr int kWidth = 340;
  static constexpr int kHeight = 64;
  static constexpr int kBottomGap = 32;

  SaveTip(Toolkit& toolkit, TextLookup text);
  ~SaveTip() override;
  SaveTip(const SaveTip&) = delete;
  SaveTip& operator=(const SaveTip&) = delete;

  // Restarts the moving bar at 0 and the countdown, and shows the tip.
  void ShowSaveTip();

  bool OnControlEvent(int control, int event, std::int64_t param) override;
  std::int64_t OnWindowMessage(int message, std::int64_t wparam, std::int64_t lparam) override;

 private:
  Toolkit& toolkit_;
  TextLookup text_;
  TipWindow tip_;
};

}  // namespace korvane::ui
