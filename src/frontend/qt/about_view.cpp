#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/dialog_window.hpp"
#include "frontend/qt/dialogs.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "ui/control_ids.hpp"

namespace korvane::qt {

// AboutDlg: close button, the 260 x 40 logo, two version lines and the
// copyright line at the bottom.
void BuildAboutBox(QtToolkit& toolkit) {
  namespace about = ui::ctl::about;
  constexpr ui::WindowId kWindow = ui::WindowId::kAbout;
  auto* window = new DialogWindow(toolkit, kWindow, {500, 300});
  window->setObjectName("aboutBox");
  ControlBuilder build(toolkit, kWindow);
  auto* column = new QVBoxLayout(window);
  column->setContentsMargins(16, 10, 16, 16);
  auto* top = new QHBoxLayout;
  top->addStretch(1);
  top->addWidget(build.Button(about::kClose, window, "close", "sysbtn_close.png", QStringLiteral("✕")));
  column->addLayout(top);
  column->addSpacing(30);
  QLabel* logo = build.Picture(about::kLogo, window, "logo.png", "dialogLogo");
  logo->setFixedSize(260, 40);
  logo->setScaledContents(false);
  column->addWidget(logo, 0, Qt::AlignHCenter);
  column->addSpacing(20);
  // The program with its version, then the mouse's firmware.
  for (const auto& [id, role] :
       {std::pair{about::kDeviceVersion, "aboutTitle"}, {about::kFirmwareVersion, "aboutLine"}}) {
    QLabel* line = build.Text(id, window, role);
    line->setAlignment(Qt::AlignCenter);
    column->addWidget(line);
  }
  column->addStretch(1);
  QLabel* copyright = build.Text(about::kCopyright, window, "aboutLine");
  copyright->setAlignment(Qt::AlignCenter);
  column->addWidget(copyright);
  toolkit.RegisterWindow(kWindow, window);
}

}  // namespace korvane::qt
