#pragma once

#include <QColor>
#include <QSlider>

namespace korvane::qt {

// A horizontal slider drawn as a rounded track with a filled part and a round
// handle, with the captions the toolkit stores for its two ends
// (SetRangeCaptions) under the track's ends. A press anywhere on the track
// moves the handle there and starts dragging, so a click is a short drag:
// sliderMoved while the handle moves, sliderReleased at the end. Wheel and
// keyboard steps are QAbstractSlider's own. The accent colour comes from the
// style sheet (qproperty-accentColour).
class CaptionSlider final : public QSlider {
  Q_OBJECT
  Q_PROPERTY(QColor accentColour MEMBER accent_)

 public:
  explicit CaptionSlider(QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  // Where the handle's centre sits for a value, in widget coordinates.
  QPoint HandleCentre(int value) const;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QColor accent_{0x35, 0xd0, 0xba};
  int grab_offset_ = 0;  // pointer x minus handle centre when the drag began

  QString LowCaption() const;
  QString HighCaption() const;
  bool HasCaptions() const;
  int TrackLeft() const;
  int TrackRight() const;
  int ValueAt(int x) const;
};

}  // namespace korvane::qt
