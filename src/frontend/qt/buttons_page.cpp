#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <array>
#include <tuple>
#include <utility>

#include "frontend/qt/button_list_widget.hpp"
#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/feature_cards.hpp"
#include "frontend/qt/key_capture_field.hpp"
#include "frontend/qt/mouse_picture_widget.hpp"
#include "frontend/qt/pages.hpp"
#include "ui/control_ids.hpp"

namespace korvane::qt {

namespace {

using namespace ui::ctl;

// A panel, hidden until the page shows it: its header (title and close
// button), then the returned column for its controls.
QVBoxLayout* NewPanel(ControlBuilder& build, QWidget* parent, int id, int title, int close) {
  QFrame* panel = build.Area(id, parent, "panel");
  panel->hide();
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(14, 10, 14, 14);
  column->setSpacing(10);
  auto* header = new QHBoxLayout;
  header->addWidget(build.Text(title, panel, "cardTitle"));
  header->addStretch(1);
  QPushButton* button = build.Button(close, panel, "system", "btn_close.png", QStringLiteral("×"));
  button->setFixedSize(26, 26);
  header->addWidget(button);
  column->addLayout(header);
  return column;
}

QWidget* KeyPanel(ControlBuilder& build, QWidget* parent) {
  QVBoxLayout* column = NewPanel(build, parent, kKeyPanel, kKeyPanelTitle, kKeyPanelClose);
  QWidget* panel = column->parentWidget();
  auto* field = build.Add(kKeyField, new KeyCaptureField(panel));
  field->setProperty("role", "keyField");
  column->addWidget(field);
  auto* toggles = new QHBoxLayout;
  toggles->setSpacing(6);
  // The modifier words are the same in every language.
  for (const auto& [id, word] : {std::pair{kModifierCtrl, "Ctrl"}, std::pair{kModifierWin, "Win"},
                                 std::pair{kModifierAlt, "Alt"}, std::pair{kModifierShift, "Shift"}}) {
    QPushButton* toggle = build.Button(id, panel, "toggle");
    toggle->setCheckable(true);
    toggle->setText(QString::fromLatin1(word));
    toggles->addWidget(toggle);
  }
  column->addLayout(toggles);
  column->addWidget(build.Button(kKeyConfirm, panel, "primary"));
  return panel;
}

QWidget* RepeatPanel(ControlBuilder& build, QWidget* parent) {
  QVBoxLayout* column = NewPanel(build, parent, kRepeatPanel, kRepeatPanelTitle, kRepeatPanelClose);
  QWidget* panel = column->parentWidget();
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(8);
  const std::array<std::array<int, 3>, 2> rows{
      {{kRepeatLabel1, kRepeatField1, kRepeatUnit1}, {kRepeatLabel2, kRepeatField2, kRepeatUnit2}}};
  for (int row = 0; row < 2; ++row) {
    const auto& [label, field, unit] = rows[static_cast<std::size_t>(row)];
    grid->addWidget(build.Text(label, panel, "cardLabel"), row, 0);
    QLineEdit* number = build.NumberField(field, panel, 3);
    number->setFixedWidth(72);
    number->setAlignment(Qt::AlignCenter);
    grid->addWidget(number, row, 1);
    grid->addWidget(build.Text(unit, panel, "cardLabel"), row, 2);
  }
  grid->setColumnStretch(3, 1);
  column->addLayout(grid);
  column->addWidget(build.Button(kRepeatConfirm, panel, "primary"));
  return panel;
}

// The list of buttons with the restore-all button under it.
QFrame* ButtonListCard(ControlBuilder& build, QWidget* parent) {
  QFrame* card = NewCard(parent);
  QVBoxLayout* column = FillCard(build, card, {.title = kButtonListTitle});
  // A model with many buttons scrolls its list.
  auto* scroll = new QScrollArea(card);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setWidgetResizable(true);
  scroll->setStyleSheet("QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }");
  scroll->setWidget(build.Add(kButtonList, new ButtonListWidget));
  column->addWidget(scroll, 1);
  column->addWidget(build.Button(kRestoreButtons, card, "secondary"));
  return card;
}

QFrame* PictureCard(ControlBuilder& build, QWidget* parent) {
  QFrame* card = NewCard(parent);
  auto* column = new QVBoxLayout(card);
  column->setContentsMargins(12, 12, 12, 14);
  column->addWidget(build.Add(kMousePicture, new MousePictureWidget(card)), 1);
  QLabel* hint = build.Text(kButtonsHint, card, "cardLabel");
  hint->setAlignment(Qt::AlignCenter);
  hint->setWordWrap(true);
  column->addWidget(hint);
  return card;
}

// The function section: one chooser per group under its caption, two to a
// row, then the buttons for the other types and their panels.
QFrame* FunctionCard(ControlBuilder& build, QWidget* parent) {
  QFrame* card = NewCard(parent);
  QVBoxLayout* column = FillCard(build, card, {.title = kFunctionTitle, .reset = kResetButton});
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(4);
  const std::array<std::pair<int, int>, 6> groups{{{kMouseGroupCaption, kFunctionChooser1},
                                                   {kMultimediaGroupCaption, kFunctionChooser2},
                                                   {kMacroGroupCaption, kFunctionChooser3},
                                                   {kDpiGroupCaption, kFunctionChooser4},
                                                   {kSpecialGroupCaption, kFunctionChooser5},
                                                   {kSystemGroupCaption, kFunctionChooser6}}};
  for (int i = 0; i < static_cast<int>(groups.size()); ++i) {
    const auto& [caption, chooser] = groups[static_cast<std::size_t>(i)];
    const int row = (i / 2) * 2;
    const int col = i % 2;
    grid->addWidget(build.Text(caption, card, "cardLabel"), row, col);
    QComboBox* combo = build.Combo(chooser, card);
    combo->setMinimumWidth(150);
    grid->addWidget(combo, row + 1, col);
    grid->setRowMinimumHeight(row + 1, 40);
  }
  // Two columns of the same width, whatever the longest function name is.
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  column->addLayout(grid);
  column->addSpacing(6);
  // The key combination across the width, rapid fire and disable below it.
  auto* others = new QGridLayout;
  others->setSpacing(8);
  for (const auto& [id, row, col, span] : {std::tuple{kOpenKeyCapture, 0, 0, 2}, std::tuple{kOpenRepeatPanel, 1, 0, 1},
                                           std::tuple{kAssignDisabled, 1, 1, 1}}) {
    QPushButton* button = build.Button(id, card, "function");
    button->setCheckable(true);
    others->addWidget(button, row, col, 1, span);
  }
  column->addLayout(others);
  column->addWidget(KeyPanel(build, card));
  column->addWidget(RepeatPanel(build, card));
  column->addStretch(1);
  return card;
}

}  // namespace

// The buttons page: the button list, the mouse picture with the spots and
// the function section side by side.
QWidget* BuildButtonsPage(ControlBuilder& build, QWidget* parent) {
  QFrame* page = build.Area(kButtonsPage, parent, "page");
  QFrame* list = ButtonListCard(build, page);
  QFrame* picture = PictureCard(build, page);
  QFrame* functions = FunctionCard(build, page);
  PlaceThreeCards(page, list, 230, picture, functions, 440);
  return page;
}

}  // namespace korvane::qt
