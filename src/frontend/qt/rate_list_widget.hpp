#pragma once

#include <QWidget>
#include <vector>

#include "frontend/qt/item_cursor.hpp"
#include "ui/toolkit.hpp"

namespace korvane::qt {

// The report rates as a row of segments, one per item (text "1000Hz", say),
// in two rows when the widget is too narrow for one,
// exactly one of them chosen. Each segment carries its item colour as an
// accent: a dot beside the text and, on the chosen one, the outline. A click
// chooses the segment and reports Clicked, as Space or Enter on the segment
// under the keyboard cursor does; items and selection set from outside report
// nothing.
class RateListWidget final : public KeyboardItemsWidget {
  Q_OBJECT

 public:
  explicit RateListWidget(QWidget* parent = nullptr);

  void SetItems(const std::vector<ui::ListItem>& items);
  // -1 or an index out of range clears the selection.
  void SetSelection(int index);
  int Selection() const { return selection_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Where a segment lies (empty for an index out of range).
  QRect SegmentRect(int index) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  bool hasHeightForWidth() const override;
  int heightForWidth(int width) const override;

 signals:
  void Clicked(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  int ItemCount() const override { return Count(); }
  int ChosenItem() const override { return selection_; }
  void ChooseItem(int index) override;

 private:
  std::vector<ui::ListItem> items_;
  int selection_ = -1;
  int hovered_ = -1;

  int SegmentAt(QPoint point) const;
  int SegmentMinimumWidth() const;
  int RowWidth(int segments) const;
  // Segments in a row at this width: all when they fit, else half of them.
  int PerRow(int width) const;
  void PaintSegment(QPainter& painter, int index) const;
};

}  // namespace korvane::qt
