#pragma once

#include <QPixmap>
#include <QWidget>
#include <vector>

#include "ui/toolkit.hpp"

namespace korvane::qt {

// The mouse seen from above with one spot per button. Item (x, y) is the
// spot and (x2, y2) the end of its label's leader line, both in the
// picture's own pixels (kPictureSize); the label (item text) stands beyond
// that end, on the side the line points to. The whole is scaled to fit the
// widget. A click on a spot or its label chooses it and reports Clicked.
class MousePictureWidget final : public QWidget {
  Q_OBJECT

 public:
  static constexpr QSize kPictureSize{760, 420};

  explicit MousePictureWidget(QWidget* parent = nullptr);

  void SetPicture(const QPixmap& picture);
  void SetItems(const std::vector<ui::ListItem>& items);
  void SetSelection(int index);
  int Selection() const { return selection_; }
  // Where the item's spot is drawn, in widget coordinates.
  QPointF SpotAt(int index) const;

  QSize sizeHint() const override { return kPictureSize / 1.2; }
  QSize minimumSizeHint() const override { return kPictureSize / 2; }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;

 signals:
  void Clicked(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QPixmap picture_;
  std::vector<ui::ListItem> items_;
  int selection_ = -1;
  int hovered_ = -1;

  // The picture's placement: its pixels scaled by scale_ from origin_.
  double scale_ = 1;
  QPointF origin_;
  void Place();
  double Left(double scale) const;
  double Right(double scale) const;
  double LabelWidth(const ui::ListItem& item) const;
  QPointF Map(int x, int y) const;
  QRectF LabelRect(int index) const;
  int ItemAt(QPointF point) const;
};

}  // namespace korvane::qt
