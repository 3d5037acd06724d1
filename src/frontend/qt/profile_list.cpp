#include "frontend/qt/profile_list.hpp"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <utility>

#include "frontend/qt/painted_colours.hpp"

namespace korvane::qt {

namespace {

constexpr int kPencilWidth = 30;
constexpr int kPencilSize = 14;

// The name field covers the whole row, pencil included, so a long name
// shows as much as the pop-up's width allows.
class NameDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    editor->setObjectName("profileNameEditor");
    return editor;
  }

  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const override {
    editor->setGeometry(option.rect);
  }
};

void PaintPencil(QPainter& painter, const QRect& area, const QColor& colour) {
  QPainterPath pencil;
  pencil.moveTo(1.5, 12.5);
  pencil.lineTo(2.2, 9.4);
  pencil.lineTo(9.6, 2.0);
  pencil.lineTo(12.0, 4.4);
  pencil.lineTo(4.6, 11.8);
  pencil.closeSubpath();
  pencil.moveTo(8.0, 3.6);
  pencil.lineTo(10.4, 6.0);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(area.center().x() - kPencilSize / 2.0, area.center().y() - kPencilSize / 2.0);
  painter.setPen(QPen(colour, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(pencil);
  painter.restore();
}

}  // namespace

ProfileList::ProfileList(std::function<QString()> pencil_tip, QWidget* parent)
    : QListWidget(parent), pencil_tip_(std::move(pencil_tip)) {
  setItemDelegate(new NameDelegate(this));
  setMouseTracking(true);
}

QRect ProfileList::PencilRect(int row) const {
  const QListWidgetItem* entry = item(row);
  if (entry == nullptr) return {};
  const QRect line = visualItemRect(entry);
  return {line.right() - kPencilWidth + 1, line.top(), kPencilWidth, line.height()};
}

int ProfileList::PencilAt(QPoint point) const {
  const QListWidgetItem* entry = itemAt(point);
  if (entry == nullptr) return -1;
  const int at = row(entry);
  return PencilRect(at).contains(point) ? at : -1;
}

void ProfileList::Rename(int row) {
  if (QListWidgetItem* entry = item(row)) editItem(entry);
}

void ProfileList::paintEvent(QPaintEvent* event) {
  QListWidget::paintEvent(event);
  QPainter painter(viewport());
  for (int at = 0; at < count(); ++at) {
    if (indexWidget(indexFromItem(item(at))) != nullptr) continue;
    PaintPencil(painter, PencilRect(at), at == hovered_pencil_ ? kAccentColour : kDimTextColour);
  }
}

// Presses on a pencil never reach the list, so they pick no profile.
void ProfileList::mousePressEvent(QMouseEvent* event) {
  pressed_pencil_ = event->button() == Qt::LeftButton ? PencilAt(event->position().toPoint()) : -1;
  if (pressed_pencil_ < 0) QListWidget::mousePressEvent(event);
}

void ProfileList::mouseReleaseEvent(QMouseEvent* event) {
  if (pressed_pencil_ < 0) {
    QListWidget::mouseReleaseEvent(event);
    return;
  }
  const int pressed = std::exchange(pressed_pencil_, -1);
  if (PencilAt(event->position().toPoint()) == pressed) Rename(pressed);
}

void ProfileList::mouseDoubleClickEvent(QMouseEvent* event) {
  if (PencilAt(event->position().toPoint()) < 0) QListWidget::mouseDoubleClickEvent(event);
}

void ProfileList::mouseMoveEvent(QMouseEvent* event) {
  HoverPencil(PencilAt(event->position().toPoint()));
  QListWidget::mouseMoveEvent(event);
}

void ProfileList::leaveEvent(QEvent* event) {
  HoverPencil(-1);
  QListWidget::leaveEvent(event);
}

void ProfileList::HoverPencil(int row) {
  if (row == hovered_pencil_) return;
  hovered_pencil_ = row;
  viewport()->setCursor(row >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
  viewport()->update();
}

bool ProfileList::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    if (PencilAt(help->pos()) >= 0) {
      QToolTip::showText(help->globalPos(), pencil_tip_(), viewport());
      return true;
    }
  }
  return QListWidget::viewportEvent(event);
}

}  // namespace korvane::qt
