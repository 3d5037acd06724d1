#include "frontend/qt/moving_bar.hpp"

namespace korvane::qt {

namespace {
constexpr int kStepMs = 20;
}

MovingBar::MovingBar(QWidget* parent) : QProgressBar(parent) {
  setTextVisible(false);
  timer_.setInterval(kStepMs);
  connect(&timer_, &QTimer::timeout, this, &MovingBar::Step);
}

void MovingBar::SetRunning(bool running) {
  running_ = running;
  if (running) setValue(minimum());
  UpdateTimer();
}

void MovingBar::showEvent(QShowEvent* event) {
  QProgressBar::showEvent(event);
  UpdateTimer();
}

void MovingBar::hideEvent(QHideEvent* event) {
  QProgressBar::hideEvent(event);
  UpdateTimer();
}

void MovingBar::Step() {
  const int step = std::max(1, (maximum() - minimum()) / 50);
  setValue(value() + step >= maximum() ? minimum() : value() + step);
}

void MovingBar::UpdateTimer() {
  if (running_ && isVisible()) {
    timer_.start();
  } else {
    timer_.stop();
  }
}

}  // namespace korvane::qt
