#pragma once

#include <QImage>
#include <QWidget>

namespace korvane::qt {

// MPalette: a colour field (hue across, from white at the top through the
// full colour to black at the bottom). Dragging reports the colour under the
// pointer; releasing picks it. Colours are R + 256*G + 65536*B.
class PaletteWidget final : public QWidget {
  Q_OBJECT

 public:
  explicit PaletteWidget(QWidget* parent = nullptr);

  void SetColour(int colour);
  int Colour() const { return colour_; }

 signals:
  void ColourMoving(int colour);
  void ColourPicked(int colour);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage field_;
  int colour_ = 0;
  QPoint marker_{-1, -1};

  int ColourAt(QPoint point) const;
  QPoint PointOf(int colour) const;
};

// R + 256*G + 65536*B of a QColor, and back.
int PackQColor(const QColor& colour);
QColor UnpackQColor(int colour);

}  // namespace korvane::qt
