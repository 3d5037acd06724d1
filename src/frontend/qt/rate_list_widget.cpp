#include "frontend/qt/rate_list_widget.hpp"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "frontend/qt/list_index.hpp"
#include "frontend/qt/painted_colours.hpp"
#include "frontend/qt/palette_widget.hpp"

namespace korvane::qt {

namespace {

constexpr int kSegmentHeight = 40;
constexpr int kSegmentGap = 6;
constexpr int kDotSize = 8;
constexpr int kDotGap = 6;
constexpr int kSidePadding = 6;
const QColor kTextColour(0xb8, 0xbf, 0xcb);

QColor AccentOf(const ui::ListItem& item) { return item.colour ? UnpackQColor(*item.colour) : kAccentColour; }

}  // namespace

RateListWidget::RateListWidget(QWidget* parent) : KeyboardItemsWidget(parent) {
  setMouseTracking(true);
  setCursor(Qt::PointingHandCursor);
  QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
}

void RateListWidget::SetItems(const std::vector<ui::ListItem>& items) {
  items_ = items;
  if (!InRange(selection_, items_.size())) selection_ = -1;
  hovered_ = -1;
  updateGeometry();
  update();
}

void RateListWidget::SetSelection(int index) {
  selection_ = InRange(index, items_.size()) ? index : -1;
  FollowChoice(selection_);
  update();
}

QRect RateListWidget::SegmentRect(int index) const {
  if (!InRange(index, items_.size())) return {};
  const int per_row = PerRow(width());
  const int segment_width = (width() - (per_row - 1) * kSegmentGap) / per_row;
  const int top = (height() - heightForWidth(width())) / 2;
  return {index % per_row * (segment_width + kSegmentGap), top + index / per_row * (kSegmentHeight + kSegmentGap),
          segment_width, kSegmentHeight};
}

int RateListWidget::RowWidth(int segments) const {
  return segments * SegmentMinimumWidth() + (segments - 1) * kSegmentGap;
}

int RateListWidget::PerRow(int width) const {
  const int count = std::max(1, Count());
  return RowWidth(count) <= width ? count : (count + 1) / 2;
}

bool RateListWidget::hasHeightForWidth() const { return true; }

int RateListWidget::heightForWidth(int width) const {
  const int per_row = PerRow(width);
  const int rows = std::max(1, (Count() + per_row - 1) / per_row);
  return rows * kSegmentHeight + (rows - 1) * kSegmentGap;
}

int RateListWidget::SegmentAt(QPoint point) const {
  for (int i = 0; i < Count(); ++i) {
    if (SegmentRect(i).contains(point)) return i;
  }
  return -1;
}

int RateListWidget::SegmentMinimumWidth() const {
  int widest = 0;
  for (const ui::ListItem& item : items_) {
    widest = std::max(widest, fontMetrics().horizontalAdvance(QString::fromStdString(item.text)));
  }
  return widest + kDotSize + kDotGap + 2 * kSidePadding;
}

QSize RateListWidget::sizeHint() const {
  const int count = std::max(1, Count());
  return {count * (SegmentMinimumWidth() + 16) + (count - 1) * kSegmentGap, kSegmentHeight};
}

QSize RateListWidget::minimumSizeHint() const {
  const int half = (std::max(1, Count()) + 1) / 2;
  return {RowWidth(half), kSegmentHeight};
}

void RateListWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int index = SegmentAt(event->position().toPoint());
  if (index >= 0) ChooseItem(index);
}

void RateListWidget::ChooseItem(int index) {
  SetSelection(index);
  emit Clicked(index);
}

void RateListWidget::mouseMoveEvent(QMouseEvent* event) {
  const int index = SegmentAt(event->position().toPoint());
  if (index != hovered_) {
    hovered_ = index;
    update();
  }
}

void RateListWidget::leaveEvent(QEvent*) {
  hovered_ = -1;
  update();
}

void RateListWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  if (!isEnabled()) painter.setOpacity(0.45);
  for (int i = 0; i < Count(); ++i) PaintSegment(painter, i);
}

void RateListWidget::PaintSegment(QPainter& painter, int index) const {
  const ui::ListItem& item = items_[index];
  const QColor accent = AccentOf(item);
  const bool chosen = index == selection_;
  const QRectF segment = QRectF(SegmentRect(index)).adjusted(1, 1, -1, -1);
  QColor fill = index == hovered_ ? kSurfaceHoverColour : kSurfaceColour;
  if (chosen) {
    fill = accent;
    fill.setAlpha(40);
  }
  painter.setPen(QPen(chosen ? accent : kBorderColour, chosen ? 2 : 1));
  painter.setBrush(fill);
  painter.drawRoundedRect(segment, 8, 8);
  if (ShowsFocusOn(index)) PaintFocusRing(painter, segment, 8);

  const QString text = QString::fromStdString(item.text);
  QFont font = this->font();
  font.setWeight(chosen ? QFont::DemiBold : QFont::Normal);
  painter.setFont(font);
  const int content = kDotSize + kDotGap + QFontMetrics(font).horizontalAdvance(text);
  const double left = segment.center().x() - content / 2.0;
  painter.setPen(Qt::NoPen);
  painter.setBrush(accent);
  painter.drawEllipse(QRectF(left, segment.center().y() - kDotSize / 2.0, kDotSize, kDotSize));
  painter.setPen(chosen ? QColor(Qt::white) : kTextColour);
  painter.drawText(QRectF(left + kDotSize + kDotGap, segment.top(), content, segment.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, text);
}

}  // namespace korvane::qt
