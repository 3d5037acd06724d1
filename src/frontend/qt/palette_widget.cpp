#include "frontend/qt/palette_widget.hpp"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace korvane::qt {

int PackQColor(const QColor& colour) { return colour.red() + 256 * colour.green() + 65536 * colour.blue(); }

QColor UnpackQColor(int colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

namespace {

// Lightness runs from 1 (top) to 0 (bottom) with the full colour in the middle.
QColor FieldColour(double hue, double lightness) {
  return QColor::fromHslF(static_cast<float>(std::clamp(hue, 0.0, 0.9999)), 1.0f,
                          static_cast<float>(std::clamp(lightness, 0.0, 1.0)));
}

}  // namespace

PaletteWidget::PaletteWidget(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::CrossCursor);
  setMinimumSize(120, 80);
}

void PaletteWidget::SetColour(int colour) {
  colour_ = colour & 0xFFFFFF;
  marker_ = PointOf(colour_);
  update();
}

void PaletteWidget::resizeEvent(QResizeEvent*) {
  field_ = QImage();
  marker_ = PointOf(colour_);
}

void PaletteWidget::paintEvent(QPaintEvent*) {
  if (field_.size() != size()) {
    field_ = QImage(size(), QImage::Format_RGB32);
    for (int y = 0; y < height(); ++y) {
      for (int x = 0; x < width(); ++x) field_.setPixel(x, y, ColourAt({x, y}) | 0xFF000000u);
    }
    // The field is stored as R + 256*G + 65536*B; QImage wants 0xRRGGBB.
    field_ = field_.rgbSwapped();
  }
  QPainter painter(this);
  painter.drawImage(0, 0, field_);
  if (marker_.x() >= 0) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawEllipse(marker_, 6, 6);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawEllipse(marker_, 8, 8);
  }
}

void PaletteWidget::mousePressEvent(QMouseEvent* event) { mouseMoveEvent(event); }

void PaletteWidget::mouseMoveEvent(QMouseEvent* event) {
  marker_ = event->position().toPoint();
  marker_.setX(std::clamp(marker_.x(), 0, width() - 1));
  marker_.setY(std::clamp(marker_.y(), 0, height() - 1));
  colour_ = ColourAt(marker_);
  update();
  emit ColourMoving(colour_);
}

void PaletteWidget::mouseReleaseEvent(QMouseEvent*) { emit ColourPicked(colour_); }

int PaletteWidget::ColourAt(QPoint point) const {
  const double hue = width() > 1 ? static_cast<double>(point.x()) / (width() - 1) : 0.0;
  const double lightness = height() > 1 ? 1.0 - static_cast<double>(point.y()) / (height() - 1) : 0.5;
  return PackQColor(FieldColour(hue, lightness));
}

QPoint PaletteWidget::PointOf(int colour) const {
  const QColor hsl = UnpackQColor(colour).toHsl();
  const double hue = std::max(0.0, static_cast<double>(hsl.hslHueF()));
  return {static_cast<int>(hue * (width() - 1)), static_cast<int>((1.0 - hsl.lightnessF()) * (height() - 1))};
}

}  // namespace korvane::qt
