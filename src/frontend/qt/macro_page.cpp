#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>
#include <tuple>

#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/feature_cards.hpp"
#include "frontend/qt/key_capture_field.hpp"
#include "frontend/qt/pages.hpp"
#include "ui/control_ids.hpp"

namespace korvane::qt {

namespace {

using namespace ui::ctl;

QHBoxLayout* ButtonRow() {
  auto* row = new QHBoxLayout;
  row->setSpacing(8);
  return row;
}

// The macros, renamed in place, with the new and delete buttons under them.
QFrame* MacroListCard(ControlBuilder& build, QWidget* parent) {
  QFrame* card = NewCard(parent);
  QVBoxLayout* column = FillCard(build, card, {.title = kMacroListTitle});
  auto* list = build.Add(kMacroList, new QListWidget(card));
  list->setProperty("editable", true);
  list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  column->addWidget(list, 1);
  column->addWidget(build.Button(kMacroCreate, card, "secondary"));
  column->addWidget(build.Button(kMacroDelete, card, "secondary"));
  return card;
}

// The events with the step counter and the move buttons above them, the
// recording notice, the record button and the editing commands.
QFrame* EventListCard(ControlBuilder& build, QWidget* parent) {
  QFrame* card = NewCard(parent);
  QVBoxLayout* column = FillCard(build, card, {.title = kEventListTitle});
  auto* header = qobject_cast<QHBoxLayout*>(column->itemAt(0)->layout());
  QLabel* count = build.Text(kEncodedEvents, card, "cardLabel");
  count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  header->addWidget(count);
  for (const auto& [id, image, glyph] :
       {std::tuple{kEventUp, "img_recorditem_up.png", "▲"}, std::tuple{kEventDown, "img_recorditem_down.png", "▼"}}) {
    QPushButton* move = build.Button(id, card, "iconButton", image, QString::fromUtf8(glyph));
    move->setIconSize(QSize(18, 18));
    header->addWidget(move);
  }
  QLabel* notice = build.Text(kRecordNotice, card, "notice");
  notice->setWordWrap(true);
  notice->hide();
  column->addWidget(notice);
  auto* list = build.Add(kEventList, new QListWidget(card));
  list->setProperty("contextMenu", true);
  column->addWidget(list, 1);

  QHBoxLayout* commands = ButtonRow();
  QPushButton* record = build.Button(kRecord, card, "primary", "icon/icon_rec.png");
  record->setIconSize(QSize(18, 18));
  commands->addWidget(record);
  commands->addStretch(1);
  for (const int id : {kEventInsert, kEventDelete, kEventClear}) {
    commands->addWidget(build.Button(id, card, "secondary"));
  }
  column->addLayout(commands);
  return card;
}

// A group of three choices under its title, the third with its number field.
void ChoiceGroup(ControlBuilder& build, QFrame* card, QVBoxLayout* column, int title, const std::array<int, 3>& radios,
                 const QString& group, int field, int unit) {
  column->addWidget(build.Text(title, card, "cardTitle"));
  for (const int radio : radios) {
    if (radio != radios.back()) {
      column->addWidget(build.Radio(radio, card, group));
      continue;
    }
    QHBoxLayout* row = ButtonRow();
    row->addWidget(build.Radio(radio, card, group));
    QLineEdit* number = build.NumberField(field, card, 5);
    number->setFixedWidth(72);
    number->setAlignment(Qt::AlignCenter);
    row->addWidget(number);
    if (unit != 0) row->addWidget(build.Text(unit, card, "cardLabel"));
    row->addStretch(1);
    column->addLayout(row);
  }
}

// The selected event: its kind, then by kind the key field, the delay field
// or the mouse action chooser.
QFrame* EventEditor(ControlBuilder& build, QWidget* parent) {
  QFrame* editor = build.Area(kEventEditor, parent, "panel");
  editor->hide();
  auto* column = new QVBoxLayout(editor);
  column->setContentsMargins(14, 10, 14, 14);
  column->setSpacing(8);
  column->addWidget(build.Text(kEventEditorTitle, editor, "cardLabel"));
  QComboBox* kind = build.Combo(kEventKind, editor);
  kind->setEnabled(false);
  column->addWidget(kind);
  auto* key = build.Add(kEventKeyField, new KeyCaptureField(editor));
  key->setProperty("role", "keyField");
  column->addWidget(key);
  column->addWidget(build.NumberField(kEventDelayField, editor, 5));
  column->addWidget(build.Combo(kEventAction, editor));
  return editor;
}

QFrame* OptionsCard(ControlBuilder& build, QWidget* parent) {
  QFrame* card = NewCard(parent);
  auto* column = new QVBoxLayout(card);
  column->setContentsMargins(20, 14, 20, 14);
  column->setSpacing(8);
  ChoiceGroup(build, card, column, kDelayTitle, {kDelayNone, kDelayRecorded, kDelayFixed}, "IDC_MACRO_STC_DELAYSET",
              kDelayField, kDelayUnit);
  column->addSpacing(8);
  ChoiceGroup(build, card, column, kPlayTitle, {kPlayWhileHeld, kPlayToggle, kPlayTimes}, "IDC_MACRO_RADIO_LOOP1",
              kPlayTimesField, 0);
  column->addSpacing(8);
  column->addWidget(EventEditor(build, card));
  column->addStretch(1);
  return card;
}

}  // namespace

// The macro page: the macro list, the event list and the options with the
// event editor side by side.
QWidget* BuildMacroPage(ControlBuilder& build, QWidget* parent) {
  QFrame* page = build.Area(kMacroPage, parent, "page");
  QFrame* macros = MacroListCard(build, page);
  QFrame* events = EventListCard(build, page);
  QFrame* options = OptionsCard(build, page);
  PlaceThreeCards(page, macros, 200, events, options, 372);
  return page;
}

}  // namespace korvane::qt
