#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/pages.hpp"
#include "ui/control_ids.hpp"

namespace korvane::qt {

namespace {

constexpr char kExitModeGroup[] = "IDC_SET_STC_EXITMODE";

// A settings card: its heading and a column for its controls.
QVBoxLayout* Card(ControlBuilder& build, QGridLayout* grid, QWidget* page, int heading_id, int row, int column) {
  auto* card = new QFrame(page);
  card->setProperty("role", "card");
  auto* layout = new QVBoxLayout(card);
  layout->setContentsMargins(24, 20, 24, 20);
  layout->setSpacing(12);
  layout->addWidget(build.Text(heading_id, card, "cardLabel"));
  grid->addWidget(card, row, column);
  return layout;
}

}  // namespace

// The settings page over the area below the title bar: language, start-up
// and the low-battery notifications, close-button behaviour, update and
// reset, and the web links.
QWidget* BuildSettingsPage(ControlBuilder& build, QWidget* parent) {
  using namespace ui::ctl;
  QFrame* page = build.Area(kSettingsPage, parent, "settingsPage");
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(40, 24, 40, 32);
  column->setSpacing(20);

  auto* header = new QHBoxLayout;
  header->setSpacing(14);
  header->addWidget(build.Button(kSettingsReturn, page, "round", "img_return.png", QStringLiteral("‹")));
  header->addWidget(build.Text(kSettingsTitle, page, "pageTitle"));
  header->addStretch(1);
  column->addLayout(header);

  auto* grid = new QGridLayout;
  grid->setSpacing(20);
  QVBoxLayout* language = Card(build, grid, page, kLanguageHeading, 0, 0);
  QComboBox* languages = build.Combo(kLanguageList, page);
  languages->setMinimumWidth(260);
  language->addWidget(languages, 0, Qt::AlignLeft);
  language->addStretch(1);

  QVBoxLayout* startup = Card(build, grid, page, kStartupHeading, 0, 1);
  startup->addWidget(build.Check(kAutostart, page));
  startup->addWidget(build.Check(kStartMinimised, page));
  startup->addWidget(build.Check(kBatteryNotices, page));
  startup->addStretch(1);

  QVBoxLayout* exit_mode = Card(build, grid, page, kExitModeHeading, 1, 0);
  exit_mode->addWidget(build.Radio(kExitHidesToTray, page, kExitModeGroup));
  exit_mode->addWidget(build.Radio(kExitEndsProgram, page, kExitModeGroup));
  exit_mode->addStretch(1);

  QVBoxLayout* update = Card(build, grid, page, kSettingsUpdateHeading, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(12);
  buttons->addWidget(build.Button(kSettingsCheckSoftware, page, "primary"));
  buttons->addWidget(build.Button(kSettingsRestoreDefaults, page, "danger"));
  buttons->addStretch(1);
  update->addLayout(buttons);
  update->addStretch(1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  column->addLayout(grid);

  auto* links = new QHBoxLayout;
  links->setSpacing(24);
  links->addWidget(build.Text(kLinksHeading, page, "cardLabel"));
  for (int id : {kWebsite, kFeedback, kQuestions}) links->addWidget(build.Button(id, page, "link"));
  links->addStretch(1);
  column->addLayout(links);
  column->addStretch(1);
  return page;
}

}  // namespace korvane::qt
