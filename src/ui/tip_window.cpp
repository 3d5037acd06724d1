#include "ui/tip_window.hpp"

namespace korvane::ui {

TipWindow::TipWindow(Toolkit& toolkit, WindowId window, std::chrono::milliseconds lifetime)
    : toolkit_(toolkit), window_(window), lifetime_(lifetime) {}

TipWindow::~TipWindow() { StopTimer(); }

void TipWindow::Show(Rect rect) {
  StopTimer();
  toolkit_.MoveWindow(window_, rect);
  toolkit_.ShowWindow(window_, WindowState::kNormal);
  timer_ = toolkit_.StartTimer(lifetime_, false, [this] {
    timer_ = 0;
    toolkit_.ShowWindow(window_, WindowState::kHidden);
  });
}

void TipWindow::Hide() {
  StopTimer();
  toolkit_.ShowWindow(window_, WindowState::kHidden);
}

void TipWindow::StopTimer() {
  if (timer_ != 0) toolkit_.StopTimer(timer_);
  timer_ = 0;
}

}  // namespace korvane::ui
