#include "frontend/qt/battery_widget.hpp"

#include <QPainter>
#include <algorithm>

namespace korvane::qt {

BatteryWidget::BatteryWidget(QWidget* parent) : QWidget(parent) { setObjectName("battery"); }

void BatteryWidget::SetValues(int a, int b) {
  a_ = a;
  b_ = b;
  update();
}

QSize BatteryWidget::sizeHint() const { return {76, 24}; }

void BatteryWidget::paintEvent(QPaintEvent*) {
  // A value A of 0 carries no battery information (a wired mouse without a
  // battery, say): nothing is drawn rather than an empty battery.
  if (a_ <= 0) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const int percent = std::clamp(a_, 0, 100);
  const QColor outline = palette().color(QPalette::WindowText);
  const QColor fill = percent <= 20 ? low_colour_ : fill_colour_;
  const QRectF body(1.5, height() / 2.0 - 6.5, 24, 13);
  painter.setPen(QPen(outline, 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(body, 3, 3);
  painter.fillRect(QRectF(body.right() + 1, body.center().y() - 3, 2.5, 6), outline);
  const QRectF level(body.left() + 2.5, body.top() + 2.5, (body.width() - 5) * percent / 100.0, body.height() - 5);
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawRoundedRect(level, 1.5, 1.5);
  painter.setPen(outline);
  painter.drawText(QRectF(body.right() + 8, 0, width() - body.right() - 8, height()), Qt::AlignVCenter | Qt::AlignLeft,
                   QString::number(percent) + '%');
}

}  // namespace korvane::qt
