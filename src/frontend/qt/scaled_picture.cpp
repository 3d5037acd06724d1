#include "frontend/qt/scaled_picture.hpp"

#include <QPainter>

namespace korvane::qt {

ScaledPicture::ScaledPicture(QIcon image, QSize largest, QWidget* parent)
    : QWidget(parent), image_(std::move(image)), largest_(largest) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ScaledPicture::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  const QSize size = largest_.scaled(this->size().boundedTo(largest_), Qt::KeepAspectRatio);
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  image_.paint(&painter, QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size));
}

}  // namespace korvane::qt
