#pragma once

#include <QListWidget>
#include <QString>
#include <functional>

namespace korvane::qt {

// The profile pop-up's list. A click on a profile picks it; the pencil at
// the end of each row, F2 or typing on the selected row renames a profile in
// place, in a field as wide as the row. Enter and leaving the field (another
// row clicked, the pop-up closed) keep the name typed, Escape drops it.
class ProfileList final : public QListWidget {
  Q_OBJECT

 public:
  // pencil_tip gives the pencils' tooltip when it is shown, so it follows
  // the language.
  explicit ProfileList(std::function<QString()> pencil_tip, QWidget* parent = nullptr);

  // A row's pencil, in the viewport's coordinates; empty for no row.
  QRect PencilRect(int row) const;
  // Starts renaming a row.
  void Rename(int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  std::function<QString()> pencil_tip_;
  int pressed_pencil_ = -1;
  int hovered_pencil_ = -1;

  int PencilAt(QPoint point) const;
  void HoverPencil(int row);
};

}  // namespace korvane::qt
