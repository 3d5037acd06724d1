#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace korvane::qt {

// Lets the user resize a frameless window from its edges and corners: over a
// band a few pixels wide along the border the cursor shows the resize shape
// and a press hands the resize to the window manager. The band is watched on
// the window's platform window, since the pages reach the border. A maximised
// window is not resized this way.
class WindowEdges final : public QObject {
 public:
  // Watches window's events; owned by window.
  explicit WindowEdges(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  bool cursor_set_ = false;

  Qt::Edges EdgesAt(QPoint global) const;
  void ShowCursorFor(Qt::Edges edges);
};

}  // namespace korvane::qt
