#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/dialog_window.hpp"
#include "frontend/qt/dialogs.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "ui/control_ids.hpp"

namespace korvane::qt {

// CUIMessageBox: 430 x 230, above other windows; title, word-wrapped message
// and the confirm and cancel buttons.
void BuildMessageBox(QtToolkit& toolkit) {
  namespace box = ui::ctl::message_box;
  auto* window =
      new DialogWindow(toolkit, ui::WindowId::kMessageBox, {430, 230}, Qt::Dialog | Qt::WindowStaysOnTopHint);
  window->setWindowTitle("MessageBox");
  ControlBuilder build(toolkit, ui::WindowId::kMessageBox);
  auto* column = new QVBoxLayout(window);
  column->setContentsMargins(28, 22, 28, 22);
  column->setSpacing(12);
  column->addWidget(build.Text(box::kTitle, window, "dialogTitle"));
  QLabel* message = build.Text(box::kMessage, window, "dialogMessage");
  message->setWordWrap(true);
  message->setAlignment(Qt::AlignCenter);
  column->addWidget(message, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(build.Button(box::kCancel, window, "secondary"));
  QPushButton* confirm = build.Button(box::kConfirm, window, "primary");
  confirm->setDefault(true);
  buttons->addWidget(confirm);
  column->addLayout(buttons);
  toolkit.RegisterWindow(ui::WindowId::kMessageBox, window);
}

}  // namespace korvane::qt
