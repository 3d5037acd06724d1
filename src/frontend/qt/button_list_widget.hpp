#pragma once

#include <QWidget>
#include <vector>

#include "frontend/qt/item_cursor.hpp"
#include "ui/toolkit.hpp"

namespace korvane::qt {

// The mouse's buttons as rows: each the button's name (item text) above
// what it does (item detail), the chosen row marked. A click chooses the row
// and reports Clicked, as Space or Enter on the row under the keyboard
// cursor does; items and selection set from outside report nothing.
class ButtonListWidget final : public KeyboardItemsWidget {
  Q_OBJECT

 public:
  explicit ButtonListWidget(QWidget* parent = nullptr);

  void SetItems(const std::vector<ui::ListItem>& items);
  // -1 or an index out of range clears the selection.
  void SetSelection(int index);
  int Selection() const { return selection_; }
  QRect RowRect(int index) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void Clicked(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  int ItemCount() const override { return static_cast<int>(items_.size()); }
  int ChosenItem() const override { return selection_; }
  void ChooseItem(int index) override;

 private:
  std::vector<ui::ListItem> items_;
  int selection_ = -1;
  int hovered_ = -1;

  int RowAt(QPoint point) const;
};

}  // namespace korvane::qt
