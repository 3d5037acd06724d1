#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/device_list_widget.hpp"
#include "frontend/qt/pages.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "ui/control_ids.hpp"

namespace korvane::qt {

// The home page: the device list between its scroll buttons and, below it,
// the view shown while no device is connected.
QWidget* BuildHomePage(ControlBuilder& build, QWidget* parent) {
  using namespace ui::ctl;
  QFrame* page = build.Area(kHomePage, parent, "page");
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(40, 28, 40, 32);
  column->setSpacing(20);

  auto* list_row = new QHBoxLayout;
  list_row->setSpacing(16);
  QPushButton* previous = build.Button(kDeviceListPrevious, page, "round", "img_btn_pre.png", QStringLiteral("‹"));
  QPushButton* next = build.Button(kDeviceListNext, page, "round", "img_btn_next.png", QStringLiteral("›"));
  auto* devices = build.Add(kDeviceList, new DeviceListWidget(build.Toolkit().GetSkin(), page));
  QObject::connect(previous, &QPushButton::clicked, devices, [devices] { devices->ScrollBy(-1); });
  QObject::connect(next, &QPushButton::clicked, devices, [devices] { devices->ScrollBy(1); });
  // The arrows are offered only while the cards do not all fit; otherwise
  // they are disabled, which the skin draws as empty space, so the cards stay
  // where they are.
  for (QPushButton* arrow : {previous, next}) {
    QPixmap nothing(arrow->iconSize());
    nothing.fill(Qt::transparent);
    QIcon icon = arrow->icon();
    icon.addPixmap(nothing, QIcon::Disabled);
    arrow->setIcon(icon);
  }
  const auto offer_arrows = [previous, next](int, int most) {
    previous->setEnabled(most > 0);
    next->setEnabled(most > 0);
  };
  QObject::connect(devices->horizontalScrollBar(), &QScrollBar::rangeChanged, page, offer_arrows);
  offer_arrows(0, devices->horizontalScrollBar()->maximum());
  list_row->addWidget(previous, 0, Qt::AlignVCenter);
  list_row->addWidget(devices, 1);
  list_row->addWidget(next, 0, Qt::AlignVCenter);
  column->addLayout(list_row);

  QLabel* empty = build.Picture(kHomePicture, page, "img_area3.png", "emptyArea");
  auto* empty_layout = new QVBoxLayout(empty);
  QLabel* text = build.Text(kHomeText, empty, "emptyText");
  text->setAlignment(Qt::AlignCenter);
  text->setWordWrap(true);
  empty_layout->addWidget(text);
  empty->setMinimumHeight(90);
  column->addWidget(empty);
  column->addStretch(1);
  return page;
}

}  // namespace korvane::qt
