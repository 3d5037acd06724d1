#include "frontend/qt/dialog_window.hpp"

#include "frontend/qt/qt_toolkit.hpp"
#include "ui/window_messages.hpp"

namespace korvane::qt {

DialogWindow::DialogWindow(QtToolkit& toolkit, ui::WindowId window, QSize size, Qt::WindowFlags flags)
    : QDialog(toolkit.MainWindow(), flags | Qt::FramelessWindowHint), toolkit_(toolkit), window_(window) {
  setObjectName("dialog");
  setAttribute(Qt::WA_StyledBackground);
  setFixedSize(size);
}

void DialogWindow::reject() {
  toolkit_.DeliverMessage(window_, ui::msg::kClose, 0, 0);
  if (isVisible()) done(0);
}

}  // namespace korvane::qt
