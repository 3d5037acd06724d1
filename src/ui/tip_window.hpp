#pragma once

#include <chrono>

#include "ui/toolkit.hpp"

namespace korvane::ui {

// A pop-up that hides itself a fixed time after it was last shown. Showing it
// again restarts the countdown; while it is hidden no timer runs.
class TipWindow final {
 public:
  TipWindow(Toolkit& toolkit, WindowId window, std::chrono::milliseconds lifetime);
  ~TipWindow();
  TipWindow(const TipWindow&) = delete;
  TipWindow& operator=(const TipWindow&) = delete;

  // Places the window at rect, shows it and restarts the countdown.
  void Show(Rect rect);
  void Hide();

 private:
  Toolkit& toolkit_;
  WindowId window_;
  std::chrono::milliseconds lifetime_;
  TimerId timer_ = 0;

  void StopTimer();
};

}  // namespace korvane::ui
