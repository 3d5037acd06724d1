#include "frontend/qt/item_cursor.hpp"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "frontend/qt/painted_colours.hpp"

namespace korvane::qt {

ItemCursor::Step ItemCursor::Press(const QKeyEvent& event, int count) {
  if (count <= 0 || event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return Step::kIgnored;
  index_ = std::clamp(index_, 0, count - 1);
  switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
      index_ = std::max(0, index_ - 1);
      return Step::kMoved;
    case Qt::Key_Right:
    case Qt::Key_Down:
      index_ = std::min(count - 1, index_ + 1);
      return Step::kMoved;
    case Qt::Key_Home:
      index_ = 0;
      return Step::kMoved;
    case Qt::Key_End:
      index_ = count - 1;
      return Step::kMoved;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return Step::kChosen;
    default:
      return Step::kIgnored;
  }
}

KeyboardItemsWidget::KeyboardItemsWidget(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }

void KeyboardItemsWidget::keyPressEvent(QKeyEvent* event) {
  switch (cursor_.Press(*event, ItemCount())) {
    case ItemCursor::Step::kMoved:
      update();
      return;
    case ItemCursor::Step::kChosen:
      ChooseItem(cursor_.Index());
      return;
    case ItemCursor::Step::kIgnored:
      QWidget::keyPressEvent(event);
  }
}

void KeyboardItemsWidget::focusInEvent(QFocusEvent* event) {
  cursor_.Reset(ChosenItem());
  QWidget::focusInEvent(event);
  update();
}

void KeyboardItemsWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

void PaintFocusRing(QPainter& painter, const QRectF& rect, double radius) {
  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kFocusColour, 2, Qt::SolidLine));
  painter.drawRoundedRect(rect.adjusted(-3, -3, 3, 3), radius + 3, radius + 3);
  painter.restore();
}

}  // namespace korvane::qt
