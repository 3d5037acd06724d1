#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/dialog_window.hpp"
#include "frontend/qt/dialogs.hpp"
#include "frontend/qt/moving_bar.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "ui/control_ids.hpp"
#include "ui/save_tip.hpp"

namespace korvane::qt {

namespace {
constexpr Qt::WindowFlags kTipFlags = Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;
}

// DPIMsgDlg: 300 x 130; the value in the highlight colour, "DPI" and a bar.
void BuildDpiTip(QtToolkit& toolkit) {
  namespace tip = ui::ctl::dpi_tip;
  constexpr ui::WindowId kWindow = ui::WindowId::kDpiTip;
  auto* window = new DialogWindow(toolkit, kWindow, {300, 130}, kTipFlags);
  window->setAttribute(Qt::WA_ShowWithoutActivating);
  window->setWindowTitle("DPIMsgDlg");
  ControlBuilder build(toolkit, kWindow);
  auto* column = new QVBoxLayout(window);
  column->setContentsMargins(20, 8, 8, 18);
  auto* top = new QHBoxLayout;
  top->addStretch(1);
  top->addWidget(build.Button(tip::kClose, window, "close", "sysbtn_close.png", QStringLiteral("✕")));
  column->addLayout(top);
  auto* value_row = new QHBoxLayout;
  value_row->addWidget(build.Text(tip::kValue, window, "dpiValue"), 0, Qt::AlignBottom);
  value_row->addWidget(build.Text(tip::kUnit, window, "dpiUnit"), 0, Qt::AlignBottom);
  value_row->addStretch(1);
  column->addLayout(value_row);
  auto* bar = build.Add(tip::kBar, new QProgressBar(window));
  bar->setTextVisible(false);
  bar->setFixedHeight(6);
  column->addSpacing(6);
  column->addWidget(bar);
  column->setContentsMargins(20, 8, 20, 18);
  toolkit.RegisterWindow(kWindow, window);
}

// SaveWaitDlg: a 340 x 64 notice; logo, the saving text and a moving bar.
// Clicks go through it to the window beneath.
void BuildSaveTip(QtToolkit& toolkit) {
  namespace tip = ui::ctl::save_tip;
  constexpr ui::WindowId kWindow = ui::WindowId::kSaveTip;
  auto* window = new DialogWindow(toolkit, kWindow, {ui::SaveTip::kWidth, ui::SaveTip::kHeight},
                                  kTipFlags | Qt::WindowTransparentForInput);
  window->setAttribute(Qt::WA_ShowWithoutActivating);
  window->setAttribute(Qt::WA_TransparentForMouseEvents);
  window->setFocusPolicy(Qt::NoFocus);
  window->setWindowTitle("SaveWaitDlg");
  ControlBuilder build(toolkit, kWindow);
  auto* row = new QHBoxLayout(window);
  row->setContentsMargins(18, 10, 18, 12);
  row->setSpacing(14);
  QLabel* logo = build.Picture(tip::kLogo, window, "logo.png", "noticeLogo");
  logo->setFixedSize(28, 28);
  logo->setScaledContents(true);
  row->addWidget(logo);
  auto* column = new QVBoxLayout;
  column->setSpacing(8);
  column->addWidget(build.Text(tip::kText, window, "noticeText"));
  auto* bar = build.Add(tip::kBar, new MovingBar(window));
  bar->setFixedHeight(4);
  column->addWidget(bar);
  row->addLayout(column, 1);
  toolkit.RegisterWindow(kWindow, window);
}

}  // namespace korvane::qt
