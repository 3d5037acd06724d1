#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/dialog_window.hpp"
#include "frontend/qt/dialogs.hpp"
#include "frontend/qt/key_capture_field.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "ui/control_ids.hpp"

namespace korvane::qt {

// RecordEditDlg: title and close button, the label over the capture field,
// the confirm button. The field has the focus when the editor opens, so the
// next key pressed is captured.
void BuildRecordEditDialog(QtToolkit& toolkit) {
  namespace edit = ui::ctl::record_edit;
  constexpr ui::WindowId kWindow = ui::WindowId::kRecordEdit;
  auto* window = new DialogWindow(toolkit, kWindow, {360, 200});
  window->setWindowTitle("RecordEditDlg");
  ControlBuilder build(toolkit, kWindow);
  auto* column = new QVBoxLayout(window);
  column->setContentsMargins(18, 10, 18, 16);
  column->setSpacing(10);
  auto* top = new QHBoxLayout;
  top->addWidget(build.Text(edit::kTitle, window, "cardTitle"));
  top->addStretch(1);
  top->addWidget(build.Button(edit::kClose, window, "close", "sysbtn_close.png", QStringLiteral("✕")));
  column->addLayout(top);
  column->addWidget(build.Text(edit::kLabel, window, "cardLabel"));
  auto* field = build.Add(edit::kField, new KeyCaptureField(window));
  field->setProperty("role", "keyField");
  column->addWidget(field);
  column->addStretch(1);
  column->addWidget(build.Button(edit::kConfirm, window, "primary"), 0, Qt::AlignRight);
  window->setFocusProxy(field);
  toolkit.RegisterWindow(kWindow, window);
}

}  // namespace korvane::qt
