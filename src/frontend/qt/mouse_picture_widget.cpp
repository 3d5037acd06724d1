#include "frontend/qt/mouse_picture_widget.hpp"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "frontend/qt/list_index.hpp"
#include "frontend/qt/painted_colours.hpp"

namespace korvane::qt {

namespace {

constexpr double kSpotRadius = 9;
constexpr double kLabelGap = 8;

}  // namespace

MousePictureWidget::MousePictureWidget(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
}

void MousePictureWidget::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void MousePictureWidget::SetItems(const std::vector<ui::ListItem>& items) {
  items_ = items;
  if (!InRange(selection_, items_.size())) selection_ = -1;
  hovered_ = -1;
  Place();
  update();
}

void MousePictureWidget::SetSelection(int index) {
  selection_ = InRange(index, items_.size()) ? index : -1;
  update();
}

int MousePictureWidget::heightForWidth(int width) const { return width * kPictureSize.height() / kPictureSize.width(); }

// The picture's horizontal extent at a scale, the labels (which keep their
// font size) included: from Left to Right, 0 being the picture's left edge.
double MousePictureWidget::Left(double scale) const {
  double left = 0;
  for (const ui::ListItem& item : items_) {
    if (item.x2 < item.x) left = std::min(left, item.x2 * scale - kLabelGap - LabelWidth(item));
  }
  return left;
}

double MousePictureWidget::Right(double scale) const {
  double right = kPictureSize.width() * scale;
  for (const ui::ListItem& item : items_) {
    if (item.x2 >= item.x) right = std::max(right, item.x2 * scale + kLabelGap + LabelWidth(item));
  }
  return right;
}

double MousePictureWidget::LabelWidth(const ui::ListItem& item) const {
  QFont bold = font();
  bold.setWeight(QFont::DemiBold);
  return QFontMetricsF(bold).horizontalAdvance(QString::fromStdString(item.text)) + 4;
}

// As large as the widget allows with every label inside it, centred. Kept
// until the size, the items or the font change, so painting and hit tests
// only map points.
void MousePictureWidget::Place() {
  double scale = std::min(width() / double(kPictureSize.width()), height() / double(kPictureSize.height()));
  for (int round = 0; round < 4; ++round) {
    const double needed = Right(scale) - Left(scale);
    if (needed <= width() || needed <= 0) break;
    scale *= width() / needed;
  }
  const double left = Left(scale);
  scale_ = scale;
  origin_ = {(width() - (Right(scale) - left)) / 2 - left, (height() - kPictureSize.height() * scale) / 2};
}

void MousePictureWidget::resizeEvent(QResizeEvent*) { Place(); }

void MousePictureWidget::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) Place();
  QWidget::changeEvent(event);
}

QPointF MousePictureWidget::Map(int x, int y) const { return origin_ + QPointF(x, y) * scale_; }

QPointF MousePictureWidget::SpotAt(int index) const {
  if (!InRange(index, items_.size())) return {};
  return Map(items_[index].x, items_[index].y);
}

QRectF MousePictureWidget::LabelRect(int index) const {
  const ui::ListItem& item = items_[index];
  const QPointF end = Map(item.x2, item.y2);
  const double width = LabelWidth(item);
  const double height = fontMetrics().height();
  const bool left = item.x2 < item.x;
  const double x = left ? end.x() - kLabelGap - width : end.x() + kLabelGap;
  return {x, end.y() - height / 2, width, height};
}

int MousePictureWidget::ItemAt(QPointF point) const {
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
    const QPointF spot = SpotAt(i);
    if (std::hypot(point.x() - spot.x(), point.y() - spot.y()) <= kSpotRadius + 4) return i;
    if (LabelRect(i).adjusted(-4, -4, 4, 4).contains(point)) return i;
  }
  return -1;
}

void MousePictureWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  if (!picture_.isNull()) {
    painter.drawPixmap(QRectF(origin_, QSizeF(kPictureSize) * scale_), picture_, QRectF(picture_.rect()));
  }
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
    const ui::ListItem& item = items_[i];
    const bool chosen = i == selection_;
    const bool lit = chosen || i == hovered_;
    const QColor line = chosen ? kAccentColour : (lit ? kBrightTextColour : kDimTextColour);
    const QPointF spot = SpotAt(i);
    painter.setPen(QPen(line, chosen ? 1.6 : 1.0));
    painter.drawLine(spot, Map(item.x2, item.y2));

    painter.setPen(QPen(chosen ? kAccentColour : kBrightTextColour, 1.5));
    painter.setBrush(chosen ? kAccentColour : QColor(0x15, 0x17, 0x1c, 200));
    painter.drawEllipse(spot, kSpotRadius * (lit ? 1.0 : 0.8), kSpotRadius * (lit ? 1.0 : 0.8));

    QFont font = this->font();
    font.setWeight(chosen ? QFont::DemiBold : QFont::Normal);
    painter.setFont(font);
    painter.setPen(chosen ? kAccentColour : (lit ? kBrightTextColour : kDimTextColour));
    const bool left = item.x2 < item.x;
    painter.drawText(LabelRect(i), (left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                     QString::fromStdString(item.text));
  }
}

void MousePictureWidget::mousePressEvent(QMouseEvent* event) {
  const int index = ItemAt(event->position());
  if (index < 0 || event->button() != Qt::LeftButton) return;
  SetSelection(index);
  emit Clicked(index);
}

void MousePictureWidget::mouseMoveEvent(QMouseEvent* event) {
  const int index = ItemAt(event->position());
  if (index == hovered_) return;
  hovered_ = index;
  setCursor(index >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
  update();
}

void MousePictureWidget::leaveEvent(QEvent*) {
  hovered_ = -1;
  update();
}

}  // namespace korvane::qt
