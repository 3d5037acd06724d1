#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/pages.hpp"
#include "ui/control_ids.hpp"

namespace korvane::qt {

namespace {

// The control ids of a version card.
struct VersionCardIds {
  int label;
  int value;
  int offer;  // what the last update check found
  int check;
  int update;  // installs the offered version
};

// A highlighted content area with a label, the version, the offer line under
// it, and the check and update buttons.
QFrame* VersionCard(ControlBuilder& build, QWidget* parent, const VersionCardIds& ids) {
  auto* card = new QFrame(parent);
  card->setProperty("role", "card");
  auto* layout = new QVBoxLayout(card);
  layout->setContentsMargins(28, 24, 28, 24);
  layout->setSpacing(10);
  layout->addWidget(build.Text(ids.label, card, "cardLabel"));
  QLabel* value = build.Text(ids.value, card, "cardValue");
  value->setText(QStringLiteral("—"));
  layout->addWidget(value);
  QLabel* offer = build.Text(ids.offer, card, "cardLabel");
  offer->setWordWrap(true);
  layout->addWidget(offer);
  layout->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(10);
  buttons->addWidget(build.Button(ids.check, card, "secondary"));
  buttons->addWidget(build.Button(ids.update, card, "primary"));
  buttons->addStretch(1);
  layout->addLayout(buttons);
  return card;
}

}  // namespace

// The device and update information page: firmware and software versions
// with their update checks and offers, and the factory reset.
QWidget* BuildDeviceInfoPage(ControlBuilder& build, QWidget* parent) {
  using namespace ui::ctl;
  QFrame* page = build.Area(kDeviceInfoPage, parent, "page");
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(40, 28, 40, 32);
  column->setSpacing(20);
  column->addWidget(build.Text(kDeviceInfoTitle, page, "pageTitle"));

  auto* cards = new QHBoxLayout;
  cards->setSpacing(20);
  cards->addWidget(
      VersionCard(build, page,
                  {kFirmwareVersionLabel, kFirmwareVersion, kFirmwareOffer, kCheckFirmware, kUpgradeFirmware}),
      1);
  cards->addWidget(
      VersionCard(build, page,
                  {kSoftwareVersionLabel, kSoftwareVersion, kSoftwareOffer, kCheckSoftware, kInstallSoftware}),
      1);

  auto* reset = new QFrame(page);
  reset->setProperty("role", "card");
  auto* reset_layout = new QVBoxLayout(reset);
  reset_layout->setContentsMargins(28, 24, 28, 24);
  QLabel* note = build.Text(kDeviceVersionNote, reset, "cardLabel");
  note->setWordWrap(true);
  reset_layout->addWidget(note);
  reset_layout->addStretch(1);
  reset_layout->addWidget(build.Button(kDeviceRestoreDefaults, reset, "danger"), 0, Qt::AlignLeft);
  cards->addWidget(reset, 1);

  column->addLayout(cards);
  column->addStretch(1);
  return page;
}

}  // namespace korvane::qt
