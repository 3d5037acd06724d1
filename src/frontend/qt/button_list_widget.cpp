#include "frontend/qt/button_list_widget.hpp"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "frontend/qt/list_index.hpp"
#include "frontend/qt/painted_colours.hpp"

namespace korvane::qt {

namespace {

constexpr int kRowHeight = 52;
constexpr int kRowGap = 6;
constexpr int kPadding = 14;
constexpr int kMarkerWidth = 3;

}  // namespace

ButtonListWidget::ButtonListWidget(QWidget* parent) : KeyboardItemsWidget(parent) {
  setMouseTracking(true);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
}

void ButtonListWidget::SetItems(const std::vector<ui::ListItem>& items) {
  items_ = items;
  if (!InRange(selection_, items_.size())) selection_ = -1;
  hovered_ = -1;
  updateGeometry();
  update();
}

void ButtonListWidget::SetSelection(int index) {
  selection_ = InRange(index, items_.size()) ? index : -1;
  FollowChoice(selection_);
  update();
}

QRect ButtonListWidget::RowRect(int index) const {
  if (!InRange(index, items_.size())) return {};
  return QRect(0, index * (kRowHeight + kRowGap), width(), kRowHeight);
}

QSize ButtonListWidget::sizeHint() const {
  const int rows = static_cast<int>(items_.size());
  return QSize(180, rows > 0 ? rows * kRowHeight + (rows - 1) * kRowGap : kRowHeight);
}

QSize ButtonListWidget::minimumSizeHint() const { return QSize(120, sizeHint().height()); }

int ButtonListWidget::RowAt(QPoint point) const {
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
    if (RowRect(i).contains(point)) return i;
  }
  return -1;
}

void ButtonListWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
    const QRect row = RowRect(i);
    const bool chosen = i == selection_;
    QPainterPath shape;
    shape.addRoundedRect(QRectF(row).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter.fillPath(shape, i == hovered_ || chosen ? kSurfaceHoverColour : kSurfaceColour);
    painter.setPen(chosen ? kAccentColour : kBorderColour);
    painter.drawPath(shape);
    if (ShowsFocusOn(i)) PaintFocusRing(painter, QRectF(row).adjusted(3, 3, -3, -3), 5);
    if (chosen) painter.fillRect(QRect(row.left() + 1, row.top() + 10, kMarkerWidth, row.height() - 20), kAccentColour);

    const QRect text = row.adjusted(kPadding, 7, -kPadding, -7);
    QFont name = font();
    name.setWeight(QFont::DemiBold);
    painter.setFont(name);
    painter.setPen(chosen ? QColor(Qt::white) : kBrightTextColour);
    const QString title =
        QFontMetrics(name).elidedText(QString::fromStdString(items_[i].text), Qt::ElideRight, text.width());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, title);
    painter.setFont(font());
    painter.setPen(chosen ? kAccentColour : kDimTextColour);
    const QString detail =
        fontMetrics().elidedText(QString::fromStdString(items_[i].detail), Qt::ElideRight, text.width());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignBottom, detail);
  }
}

void ButtonListWidget::mousePressEvent(QMouseEvent* event) {
  const int row = RowAt(event->position().toPoint());
  if (row >= 0 && event->button() == Qt::LeftButton) ChooseItem(row);
}

void ButtonListWidget::ChooseItem(int index) {
  SetSelection(index);
  emit Clicked(index);
}

void ButtonListWidget::mouseMoveEvent(QMouseEvent* event) {
  const int row = RowAt(event->position().toPoint());
  if (row == hovered_) return;
  hovered_ = row;
  setCursor(row >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
  update();
}

void ButtonListWidget::leaveEvent(QEvent*) {
  hovered_ = -1;
  update();
}

}  // namespace korvane::qt
