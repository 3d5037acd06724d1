#pragma once

#include "common/text_lookup.hpp"
#include "ui/tip_window.hpp"

namespace korvane::ui {

// DPIMsgDlg: shows a newly selected DPI value at the bottom-right corner of
// the work area and hides 2000 ms after it was last shown.
class DpiTip final : public WindowHandler {
 public:
  static constexpr int kWidth = 300;
  static constexpr int kHeight = 130;
  static constexpr int kBarMaximum = 16000;

  // Fills the hidden window: value "1600", unit "DPI", close tooltip.
  DpiTip(Toolkit& toolkit, TextLookup text);
  ~DpiTip() override;
  DpiTip(const DpiTip&) = delete;
  DpiTip& operator=(const DpiTip&) = delete;

  void ShowDpiTip(int dpi);

  bool OnControlEvent(int control, int event, std::int64_t param) override;
  std::int64_t OnWindowMessage(int message, std::int64_t wparam, std::int64_t lparam) override;

 private:
  Toolkit& toolkit_;
  TextLookup text_;
  TipWindow tip_;
};

}  // namespace korvane::ui
