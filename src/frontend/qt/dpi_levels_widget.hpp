#pragma once

#include <QWidget>
#include <vector>

#include "frontend/qt/item_cursor.hpp"
#include "ui/toolkit.hpp"

class QLineEdit;

namespace korvane::qt {

// The DPI levels as a row of chips, one per item: the level's number, its
// colour swatch (item colour) and its value (item text), the selected chip
// outlined. A click on a chip selects it and reports LevelClicked; a click on
// its swatch reports SwatchClicked and leaves the selection alone. A
// double-click on a chip (or F2 on the one under the keyboard cursor) opens a digits-only
// field over its value: Enter or leaving the field commits a changed,
// non-empty value (the chip shows it and ValueTyped reports it), Escape
// drops it. Space or Enter selects the chip under the keyboard cursor, C
// reports its swatch. Items and selection set from outside report nothing.
class DpiLevelsWidget final : public KeyboardItemsWidget {
  Q_OBJECT

 public:
  explicit DpiLevelsWidget(QWidget* parent = nullptr);

  void SetItems(const std::vector<ui::ListItem>& items);
  // -1 or an index out of range clears the selection.
  void SetSelection(int index);
  int Selection() const { return selection_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Where a chip, its swatch and its value lie (empty for an index out of range).
  QRect ChipRect(int index) const;
  QRect SwatchRect(int index) const;
  QRect ValueRect(int index) const;
  // Opens the value field of a level, as a double-click on it does.
  void EditValue(int index);
  // The open value field, or nullptr.
  QLineEdit* Editor() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void LevelClicked(int index);
  void SwatchClicked(int index);
  void ValueTyped(int index, const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  int ItemCount() const override { return Count(); }
  int ChosenItem() const override { return selection_; }
  void ChooseItem(int index) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::vector<ui::ListItem> items_;
  int selection_ = -1;
  int hovered_ = -1;
  int editing_ = -1;
  QLineEdit* editor_;

  int ChipAt(QPoint point) const;
  int ChipWidth() const;
  void CommitEdit();
  void CloseEditor();
  void PaintChip(QPainter& painter, int index) const;
};

}  // namespace korvane::qt
