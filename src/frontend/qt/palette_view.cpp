#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/dialog_window.hpp"
#include "frontend/qt/dialogs.hpp"
#include "frontend/qt/palette_widget.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "ui/control_ids.hpp"

namespace korvane::qt {

// MousePaletteDlg: 330 x 320; palette, preview, R/G/B fields of at most three
// characters, eight preset swatches and the confirm button.
void BuildPaletteDialog(QtToolkit& toolkit) {
  namespace pal = ui::ctl::palette;
  constexpr ui::WindowId kWindow = ui::WindowId::kPalette;
  auto* window = new DialogWindow(toolkit, kWindow, {330, 320});
  window->setWindowTitle("PaletteDlg");
  ControlBuilder build(toolkit, kWindow);
  auto* column = new QVBoxLayout(window);
  column->setContentsMargins(16, 10, 16, 16);
  column->setSpacing(10);

  auto* top = new QHBoxLayout;
  top->addStretch(1);
  top->addWidget(build.Button(pal::kClose, window, "close", "sysbtn_close.png", QStringLiteral("✕")));
  column->addLayout(top);

  auto* middle = new QHBoxLayout;
  middle->addWidget(build.Add(pal::kPalette, new PaletteWidget(window)), 1);
  auto* fields = new QGridLayout;
  fields->setVerticalSpacing(6);
  QLabel* preview = build.Text(pal::kPreview, window, "swatch");
  preview->setFixedSize(64, 32);
  fields->addWidget(preview, 0, 0, 1, 2);
  for (int i = 0; i < 3; ++i) {
    fields->addWidget(build.Text(pal::kRedLabel + i, window), i + 1, 0);
    auto* edit = build.Add(pal::kRed + i, new QLineEdit(window));
    edit->setProperty("role", "number");
    edit->setMaxLength(3);
    edit->setFixedWidth(56);
    fields->addWidget(edit, i + 1, 1);
  }
  middle->addLayout(fields);
  column->addLayout(middle, 1);

  auto* presets = new QHBoxLayout;
  presets->setSpacing(8);
  for (int id = pal::kPresetFirst; id <= pal::kPresetLast; ++id) {
    QPushButton* swatch = build.Button(id, window, "swatch");
    swatch->setFixedSize(26, 26);
    presets->addWidget(swatch);
  }
  column->addLayout(presets);
  column->addWidget(build.Button(pal::kConfirm, window, "primary"), 0, Qt::AlignRight);
  toolkit.RegisterWindow(kWindow, window);
}

}  // namespace korvane::qt
