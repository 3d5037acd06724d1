#include "frontend/qt/window_edges.hpp"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace korvane::qt {

namespace {

constexpr int kBand = 6;

Qt::CursorShape CursorFor(Qt::Edges edges) {
  const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
  const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
  if (horizontal && vertical) {
    const bool falling = edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge);
    return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
  }
  return horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

}  // namespace

WindowEdges::WindowEdges(QWidget* window) : QObject(window), window_(window) {
  // The platform window exists once the widget is shown (or asked for its
  // id); its events are watched from then on, and only its events.
  window_->installEventFilter(this);
  if (QWindow* handle = window_->windowHandle()) handle->installEventFilter(this);
}

Qt::Edges WindowEdges::EdgesAt(QPoint global) const {
  if (window_->isMaximized() || window_->isFullScreen()) return {};
  const QPoint at = window_->mapFromGlobal(global);
  Qt::Edges edges;
  if (at.x() < kBand) edges |= Qt::LeftEdge;
  if (at.x() >= window_->width() - kBand) edges |= Qt::RightEdge;
  if (at.y() < kBand) edges |= Qt::TopEdge;
  if (at.y() >= window_->height() - kBand) edges |= Qt::BottomEdge;
  return edges;
}

void WindowEdges::ShowCursorFor(Qt::Edges edges) {
  if (edges) {
    window_->setCursor(CursorFor(edges));
    cursor_set_ = true;
  } else if (cursor_set_) {
    window_->unsetCursor();
    cursor_set_ = false;
  }
}

bool WindowEdges::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == window_) {
    if (type == QEvent::WinIdChange && window_->windowHandle() != nullptr) {
      window_->windowHandle()->installEventFilter(this);
    }
    return false;
  }
  if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress) return false;
  // The window's platform window sees every move, whether or not the widget
  // under the cursor tracks the mouse, and every press before the widgets do.
  if (watched != window_->windowHandle()) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (mouse->buttons() & ~Qt::LeftButton) return false;
  const Qt::Edges edges = EdgesAt(mouse->globalPosition().toPoint());
  if (type == QEvent::MouseMove) {
    if (mouse->buttons() == Qt::NoButton) ShowCursorFor(edges);
    return false;
  }
  if (!edges || mouse->button() != Qt::LeftButton || window_->windowHandle() == nullptr) return false;
  return window_->windowHandle()->startSystemResize(edges);
}

}  // namespace korvane::qt
