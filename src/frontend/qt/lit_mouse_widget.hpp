#pragma once

#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>

#include "ui/lighting_preview.hpp"

namespace korvane::qt {

// The lighting page's picture of the mouse with its light on: the light
// guide round its edge, the wheel and the logo lit in the effect's colours,
// with a halo on the page, as bright as the brightness says. A moving
// effect is drawn as it stands at the clock's time and repainted on a
// timer that runs only while the effect moves and the widget is on screen
// (not hidden, not on a page behind another, not in a minimised window).
class LitMouseWidget final : public QWidget {
  Q_OBJECT

 public:
  // Milliseconds on a steady clock; the effect's phase is read from it.
  using Clock = std::function<std::chrono::milliseconds()>;

  explicit LitMouseWidget(QWidget* parent = nullptr);

  void SetPreview(const ui::LightingPreview& preview);
  const ui::LightingPreview& Preview() const { return preview_; }
  void SetClock(Clock clock);
  bool Animating() const { return timer_.isActive(); }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return {0, 0}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  ui::LightingPreview preview_;
  Clock clock_;
  QTimer timer_;
  bool on_screen_ = false;

  bool Moving() const;
  void UpdateTimer();
};

}  // namespace korvane::qt
