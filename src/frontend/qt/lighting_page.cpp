#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/qt/caption_slider.hpp"
#include "frontend/qt/colour_button.hpp"
#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/feature_cards.hpp"
#include "frontend/qt/lit_mouse_widget.hpp"
#include "frontend/qt/pages.hpp"
#include "frontend/qt/palette_widget.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "ui/control_ids.hpp"

namespace korvane::qt {

namespace {

using namespace ui::ctl;

constexpr char kSlotGroup[] = "COLORVALUE";
constexpr char kPresetGroup[] = "DEFAULTCOLOR";
constexpr int kEffectColumnWidth = 420;

// A group the page shows or hides as a whole; the layout closes the gap.
struct Group {
  QFrame* area;
  QVBoxLayout* column;
};

Group NewGroup(ControlBuilder& build, int id, QWidget* parent) {
  QFrame* area = build.Area(id, parent, "group");
  auto* column = new QVBoxLayout(area);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(6);
  return {area, column};
}

QFrame* SliderGroup(ControlBuilder& build, int id, int caption_id, int slider_id, QWidget* parent) {
  const Group group = NewGroup(build, id, parent);
  group.column->addWidget(build.Text(caption_id, group.area, "cardLabel"));
  group.column->addWidget(build.Add(slider_id, new CaptionSlider(group.area)));
  return group.area;
}

QHBoxLayout* ColourRow(ControlBuilder& build, int first, int last, const char* group, QWidget* parent) {
  auto* row = new QHBoxLayout;
  row->setSpacing(6);
  for (int id = first; id <= last; ++id) row->addWidget(build.ColourChoice(id, parent, group));
  row->addStretch(1);
  return row;
}

// The mode and what the mode offers: brightness, speed and the colour slots.
QFrame* EffectCard(ControlBuilder& build, QWidget* parent) {
  QFrame* card = NewCard(parent);
  card->setFixedWidth(kEffectColumnWidth);
  auto* column = new QVBoxLayout(card);
  column->setContentsMargins(20, 18, 20, 18);
  column->setSpacing(18);
  auto* mode = new QHBoxLayout;
  mode->setSpacing(12);
  mode->addWidget(build.Text(kLightModeLabel, card, "cardTitle"));
  mode->addWidget(build.Combo(kLightMode, card), 1);
  column->addLayout(mode);
  column->addWidget(SliderGroup(build, kBrightnessSection, kBrightnessValue, kBrightness, card));
  column->addWidget(SliderGroup(build, kSpeedSection, kSpeedValue, kSpeed, card));
  const Group slot_group = NewGroup(build, kSlotsSection, card);
  slot_group.column->addWidget(build.Text(kSlotsLabel, slot_group.area, "cardLabel"));
  slot_group.column->addLayout(ColourRow(build, kColourSlotFirst, kColourSlotLast, kSlotGroup, slot_group.area));
  column->addWidget(slot_group.area);
  column->addStretch(1);
  return card;
}

// The red, green and blue fields beside the preview.
QGridLayout* ChannelFields(ControlBuilder& build, QWidget* parent) {
  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(10);
  fields->setVerticalSpacing(8);
  QLabel* preview = build.Text(kLightPreview, parent, "preview");
  preview->setFixedSize(96, 48);
  fields->addWidget(preview, 0, 0, 1, 2);
  const char* const channels[] = {"R", "G", "B"};  // the same in every language
  for (int i = 0; i < 3; ++i) {
    QLabel* channel = build.Text(kLightRedLabel + i, parent, "cardLabel");
    channel->setText(QString::fromLatin1(channels[i]));
    fields->addWidget(channel, i + 1, 0);
    QLineEdit* field = build.NumberField(kLightRed + i, parent, 3);
    field->setText(QStringLiteral("255"));
    field->setFixedWidth(64);
    fields->addWidget(field, i + 1, 1);
  }
  fields->setRowStretch(4, 1);
  return fields;
}

// The colour being edited: palette, preview, channel fields and presets.
QFrame* ColourCard(ControlBuilder& build, QWidget* parent) {
  QFrame* card = build.Area(kColourSection, parent, "card");
  QVBoxLayout* column = FillCard(build, card, {.title = kLightColourTitle});
  column->addWidget(build.Text(kPaletteLabel, card, "cardLabel"));
  auto* editor = new QHBoxLayout;
  editor->setSpacing(20);
  auto* palette = build.Add(kLightPalette, new PaletteWidget(card));
  palette->setMinimumHeight(150);
  editor->addWidget(palette, 1);
  editor->addLayout(ChannelFields(build, card));
  column->addLayout(editor, 1);
  column->addWidget(build.Text(kPresetLabel, card, "cardLabel"));
  column->addLayout(ColourRow(build, kPresetColourFirst, kPresetColourLast, kPresetGroup, card));
  return card;
}

}  // namespace

// The lighting page: the mode with its settings on the left, the colour
// editor on the right above a picture of the lit mouse, which takes the
// whole right side while the mode has no colour to edit.
QWidget* BuildLightingPage(ControlBuilder& build, QWidget* parent) {
  QFrame* page = build.Area(kLightingPage, parent, "page");
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(32, 14, 32, 14);
  column->setSpacing(14);
  auto* header = new QHBoxLayout;
  header->addWidget(build.Text(kLightTitle, page, "pageTitle"));
  header->addStretch(1);
  header->addWidget(ResetButton(build, kLightReset, page));
  column->addLayout(header);

  auto* body = new QHBoxLayout;
  body->setSpacing(16);
  body->addWidget(EffectCard(build, page), 0, Qt::AlignTop);
  auto* right = new QVBoxLayout;
  right->setSpacing(16);
  right->addWidget(ColourCard(build, page));
  right->addWidget(build.Add(kLightMouse, new LitMouseWidget(page)), 1);
  body->addLayout(right, 1);
  column->addLayout(body, 1);
  return page;
}

}  // namespace korvane::qt
