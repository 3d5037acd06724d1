#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "frontend/qt/caption_slider.hpp"
#include "frontend/qt/card_grid.hpp"
#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/dpi_levels_widget.hpp"
#include "frontend/qt/feature_cards.hpp"
#include "frontend/qt/pages.hpp"
#include "frontend/qt/rate_list_widget.hpp"
#include "ui/control_ids.hpp"

namespace korvane::qt {

namespace {

using namespace ui::ctl;

constexpr char kLiftOffGroup[] = "IDC_PER_STC_LOD";

// DPI levels across the whole width: the level chips, then the slider of the
// selected level beside the level count and the apply button.
QFrame* DpiCard(ControlBuilder& build, QWidget* parent) {
  QFrame* card = NewCard(parent);
  QVBoxLayout* column =
      FillCard(build, card, {.title = kDpiTitle, .subtitle = kDpiSubtitle, .help = kDpiHelp, .reset = kDpiReset});

  column->addWidget(build.Add(kDpiLevels, new DpiLevelsWidget(card)));
  auto* controls = new QHBoxLayout;
  controls->setSpacing(12);
  controls->addWidget(build.Add(kDpiSlider, new CaptionSlider(card)), 1);
  controls->addSpacing(16);
  controls->addWidget(build.Text(kDpiCountLabel, card, "cardLabel"));
  QComboBox* count = build.Combo(kDpiCount, card);
  count->setMinimumWidth(72);
  controls->addWidget(count);
  controls->addWidget(build.Button(kDpiApply, card, "primary"));
  column->addLayout(controls);
  return card;
}

QFrame* ReportRateCard(ControlBuilder& build, QWidget* parent) {
  QFrame* card = NewCard(parent);
  QVBoxLayout* column =
      FillCard(build, card, {.title = kReportRateTitle, .help = kReportRateHelp, .reset = kReportRateReset});
  column->addWidget(build.Add(kReportRate, new RateListWidget(card)));
  column->addStretch(1);
  return card;
}

QFrame* LiftOffCard(ControlBuilder& build, QWidget* parent) {
  QFrame* card = build.Area(kLiftOffSection, parent, "card");
  QVBoxLayout* column = FillCard(build, card, {.title = kLiftOffTitle, .help = kLiftOffHelp});
  auto* choices = new QHBoxLayout;
  choices->setSpacing(28);
  // The distances are the same in every language.
  for (const auto& [id, text] : {std::pair{kLiftOff1mm, "1.0mm"}, std::pair{kLiftOff2mm, "2.0mm"}}) {
    QRadioButton* radio = build.Radio(id, card, kLiftOffGroup);
    radio->setText(QString::fromLatin1(text));
    choices->addWidget(radio);
  }
  choices->addStretch(1);
  column->addLayout(choices);
  column->addStretch(1);
  return card;
}

QFrame* SensorCard(ControlBuilder& build, QWidget* parent) {
  QFrame* card = build.Area(kSensorSection, parent, "card");
  QVBoxLayout* column = FillCard(build, card, {.title = kSensorTitle, .help = kSensorHelp});
  column->setSpacing(4);
  for (int id : {kSensorOption1, kSensorOption2, kSensorOption3}) column->addWidget(build.Check(id, card));
  column->addStretch(1);
  return card;
}

QFrame* ResponseCard(ControlBuilder& build, QWidget* parent) {
  QFrame* card = NewCard(parent);
  QVBoxLayout* column = FillCard(build, card, {.title = kResponseTitle});
  auto* row = new QHBoxLayout;
  row->setSpacing(10);
  QLineEdit* field = build.NumberField(kResponseTime, card, 2);
  field->setFixedWidth(64);
  field->setAlignment(Qt::AlignCenter);
  row->addWidget(field);
  row->addWidget(build.Text(kResponseUnit, card, "cardLabel"));
  row->addStretch(1);
  column->addLayout(row);
  column->addStretch(1);
  return card;
}

QFrame* PowerCard(ControlBuilder& build, QWidget* parent) {
  QFrame* card = NewCard(parent);
  QVBoxLayout* column = FillCard(build, card, {.title = kPowerTitle});
  column->setSpacing(4);
  auto* sleep = new QHBoxLayout;
  sleep->setSpacing(10);
  sleep->addWidget(build.Text(kSleepLabel, card));
  QComboBox* minutes = build.Combo(kSleepTime, card);
  minutes->setMinimumWidth(96);
  sleep->addWidget(minutes);
  sleep->addStretch(1);
  column->addLayout(sleep);
  column->addWidget(build.Check(kMoveWakeup, card));
  column->addWidget(build.Check(kMoveLightOff, card));
  column->addStretch(1);
  return card;
}

QFrame* PointerCard(ControlBuilder& build, QWidget* parent) {
  QFrame* card = NewCard(parent);
  QVBoxLayout* column = FillCard(build, card, {.title = kPointerTitle});
  auto* row = new QHBoxLayout;
  row->setSpacing(14);
  QLabel* picture = build.Picture(kPointerPicture, card, "icon/icon_windows.png", "cardIcon");
  picture->setFixedSize(44, 44);
  row->addWidget(picture);
  QPushButton* open = build.Button(kSystemMouseSettings, card, "secondary", "img_button.png");
  open->setIconSize(QSize(16, 16));
  open->setLayoutDirection(Qt::RightToLeft);
  row->addWidget(open);
  row->addStretch(1);
  column->addLayout(row);
  column->addStretch(1);
  return card;
}

}  // namespace

// The performance page: the DPI card across the top and the other sections
// as cards below, which close up when the lift-off or sensor section is hidden.
QWidget* BuildPerformancePage(ControlBuilder& build, QWidget* parent) {
  QFrame* page = build.Area(kPerformancePage, parent, "page");
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(32, 14, 32, 14);
  column->setSpacing(16);
  column->addWidget(DpiCard(build, page));
  auto* cards = new CardGrid(page);
  for (QFrame* card : {ReportRateCard(build, cards), LiftOffCard(build, cards), SensorCard(build, cards),
                       ResponseCard(build, cards), PowerCard(build, cards), PointerCard(build, cards)}) {
    cards->AddCard(card);
  }
  column->addWidget(cards, 1);
  return page;
}

}  // namespace korvane::qt
