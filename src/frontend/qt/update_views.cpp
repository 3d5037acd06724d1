#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/dialog_window.hpp"
#include "frontend/qt/dialogs.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "ui/control_ids.hpp"

namespace korvane::qt {

namespace {

// The progress line over a thin bar, as the save tip shows them; the line
// wraps when a language's step name is long.
void AddProgress(ControlBuilder& build, QVBoxLayout* column, QWidget* window, int text_id, int bar_id) {
  QLabel* text = build.Text(text_id, window, "dialogMessage");
  text->setAlignment(Qt::AlignCenter);
  text->setWordWrap(true);
  column->addWidget(text);
  auto* bar = build.Add(bar_id, new QProgressBar(window));
  bar->setTextVisible(false);
  bar->setFixedHeight(6);
  column->addWidget(bar);
}

}  // namespace

// Both windows are tool windows of the main window: kept above it, without a
// task-bar entry.

// UpdateProcessDlg: 360 x 130; the download's progress line, its bar and the
// Cancel button.
void BuildDownloadWindow(QtToolkit& toolkit) {
  namespace download = ui::ctl::download_window;
  constexpr ui::WindowId kWindow = ui::WindowId::kDownloadProgress;
  auto* window = new DialogWindow(toolkit, kWindow, {360, 130}, Qt::Tool);
  window->setWindowTitle("UpdateProcessDlg");
  ControlBuilder build(toolkit, kWindow);
  auto* column = new QVBoxLayout(window);
  column->setContentsMargins(24, 20, 24, 16);
  column->setSpacing(10);
  AddProgress(build, column, window, download::kText, download::kBar);
  column->addStretch(1);
  column->addWidget(build.Button(download::kCancel, window, "secondary"), 0, Qt::AlignRight);
  toolkit.RegisterWindow(kWindow, window);
}

// UpdateTipDlg: 391 x 130; the upgrade's progress line and its bar. An
// upgrade cannot be stopped halfway, so the window has no close button and
// never takes the keyboard focus an Escape would need.
void BuildUpgradeWindow(QtToolkit& toolkit) {
  namespace upgrade = ui::ctl::upgrade_window;
  constexpr ui::WindowId kWindow = ui::WindowId::kUpgradeProgress;
  auto* window = new DialogWindow(toolkit, kWindow, {391, 130}, Qt::Tool | Qt::WindowDoesNotAcceptFocus);
  window->setAttribute(Qt::WA_ShowWithoutActivating);
  window->setWindowTitle("UpdateTipDlg");
  ControlBuilder build(toolkit, kWindow);
  auto* column = new QVBoxLayout(window);
  column->setContentsMargins(28, 20, 28, 20);
  column->setSpacing(14);
  column->addStretch(1);
  AddProgress(build, column, window, upgrade::kText, upgrade::kBar);
  column->addStretch(1);
  toolkit.RegisterWindow(kWindow, window);
}

}  // namespace korvane::qt
