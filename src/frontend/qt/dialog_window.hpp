#pragma once

#include <QDialog>

#include "ui/toolkit.hpp"

namespace korvane::qt {

class QtToolkit;

// A borderless pop-up window of the toolkit without task-bar entry. Escape,
// the window manager's close and (for pop-ups) a click outside reach the
// window's handler as a close request; a window the handler leaves open
// closes anyway.
class DialogWindow final : public QDialog {
  Q_OBJECT

 public:
  // flags: the window type (Qt::Dialog, Qt::Tool, Qt::Popup) and its hints.
  DialogWindow(QtToolkit& toolkit, ui::WindowId window, QSize size, Qt::WindowFlags flags = Qt::Dialog);

  void reject() override;

 private:
  QtToolkit& toolkit_;
  ui::WindowId window_;
};

}  // namespace korvane::qt
