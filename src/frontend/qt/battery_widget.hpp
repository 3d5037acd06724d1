#pragma once

#include <QColor>
#include <QWidget>

namespace korvane::qt {

// BatteryCtrl: a battery symbol filled to value A (the charge in percent,
// clamped to 0..100) with the percentage beside it. Value B is kept for
// queries; the mouse's meaning of it is not drawn.
class BatteryWidget final : public QWidget {
  Q_OBJECT
  // The fill colours come from the style sheet (qproperty-fillColour, qproperty-lowColour).
  Q_PROPERTY(QColor fillColour MEMBER fill_colour_)
  Q_PROPERTY(QColor lowColour MEMBER low_colour_)

 public:
  explicit BatteryWidget(QWidget* parent = nullptr);

  void SetValues(int a, int b);
  int ValueA() const { return a_; }
  int ValueB() const { return b_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int a_ = 0;
  int b_ = 0;
  QColor fill_colour_{Qt::gray};
  QColor low_colour_{Qt::red};
};

}  // namespace korvane::qt
