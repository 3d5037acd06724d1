#pragma once

#include <QProgressBar>
#include <QTimer>

namespace korvane::qt {

// MProgress2: a progress bar that runs from its minimum to its maximum and
// starts again while it is running. Its animation timer runs only while the
// bar is running and shown.
class MovingBar final : public QProgressBar {
  Q_OBJECT

 public:
  explicit MovingBar(QWidget* parent = nullptr);

  void SetRunning(bool running);
  bool IsRunning() const { return running_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QTimer timer_;
  bool running_ = false;

  void Step();
  void UpdateTimer();
};

}  // namespace korvane::qt
