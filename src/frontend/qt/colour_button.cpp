#include "frontend/qt/colour_button.hpp"

#include <QPainter>

#include "frontend/qt/palette_widget.hpp"

namespace korvane::qt {

namespace {
constexpr int kSize = 30;
const QColor kRingColour(0xe6, 0xe8, 0xee);
const QColor kHoverRingColour(0x5d, 0x64, 0x70);
const QColor kEdgeColour(255, 255, 255, 40);
}  // namespace

ColourButton::ColourButton(QWidget* parent) : QAbstractButton(parent) {
  setCheckable(true);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::TabFocus);
  setAttribute(Qt::WA_Hover);
  setFixedSize(kSize, kSize);
}

void ColourButton::SetColour(int colour) {
  colour_ = colour & 0xFFFFFF;
  update();
}

QSize ColourButton::sizeHint() const { return {kSize, kSize}; }

void ColourButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF outer = QRectF(rect()).adjusted(1, 1, -1, -1);
  if (isChecked() || underMouse() || hasFocus()) {
    painter.setPen(QPen(isChecked() ? kRingColour : kHoverRingColour, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(outer, 9, 9);
  }
  painter.setPen(QPen(kEdgeColour, 1));
  painter.setBrush(isEnabled() ? UnpackQColor(colour_) : UnpackQColor(colour_).darker(250));
  painter.drawRoundedRect(outer.adjusted(4, 4, -4, -4), 5, 5);
}

}  // namespace korvane::qt
