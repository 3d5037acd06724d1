#pragma once

#include <QRectF>
#include <QWidget>

class QKeyEvent;
class QPainter;

namespace korvane::qt {

// The keyboard cursor of a widget that paints a row or column of items
// itself: the arrow keys move it, Home and End jump to the ends, Space and
// Enter choose the item under it. Moving chooses nothing, so passing over
// the items changes no setting.
class ItemCursor {
 public:
  enum class Step { kIgnored, kMoved, kChosen };

  // Answers a key press over count items; Index() is then the item the key
  // moved to or chose.
  Step Press(const QKeyEvent& event, int count);
  // Puts the cursor on the chosen item (the first when none is), as the
  // widget takes the focus.
  void Reset(int selection) { index_ = selection < 0 ? 0 : selection; }
  int Index() const { return index_; }

 private:
  int index_ = 0;
};

// A widget that paints a row or column of items itself and lets the keyboard
// reach them: it takes the focus with Tab or a click, moves its ItemCursor
// with the keys and chooses the item under it as a click would. The cursor
// starts on the chosen item each time the widget takes the focus.
class KeyboardItemsWidget : public QWidget {
 public:
  explicit KeyboardItemsWidget(QWidget* parent);

 protected:
  virtual int ItemCount() const = 0;
  virtual int ChosenItem() const = 0;
  // Does what a click on the item does.
  virtual void ChooseItem(int index) = 0;
  int CursorItem() const { return cursor_.Index(); }
  // Puts the cursor on a newly chosen item (by a click or from outside).
  void FollowChoice(int index) { cursor_.Reset(index); }
  // Whether the focus ring goes around this item.
  bool ShowsFocusOn(int index) const { return hasFocus() && index == cursor_.Index(); }

  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  ItemCursor cursor_;
};

// The focus ring the skin draws around the item under the keyboard cursor.
void PaintFocusRing(QPainter& painter, const QRectF& rect, double radius);

}  // namespace korvane::qt
