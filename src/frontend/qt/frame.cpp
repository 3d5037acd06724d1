#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>
#include <QWindow>

#include "common/text_ids.hpp"
#include "frontend/qt/battery_widget.hpp"
#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/pages.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "ui/control_ids.hpp"
#include "ui/window_messages.hpp"

namespace korvane::qt {

namespace {

// The caption area: dragging it moves the frameless window, a double click
// does what the maximise button does (while that button is offered); its
// context menu offers the About box, which the main window's handler opens on
// the command.
class TitleBar final : public QFrame {
 public:
  TitleBar(QtToolkit& toolkit, QWidget* parent) : QFrame(parent), toolkit_(toolkit) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && window()->windowHandle() != nullptr) {
      window()->windowHandle()->startSystemMove();
    }
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    auto* maximise = qobject_cast<QAbstractButton*>(toolkit_.Widget(ui::ctl::kMaximise));
    if (event->button() == Qt::LeftButton && maximise != nullptr && maximise->isVisible()) maximise->click();
  }
  void contextMenuEvent(QContextMenuEvent* event) override {
    event->accept();
    toolkit_.ShowMenu({{toolkit_.Text()(text_id::kAbout), ui::msg::kCommand, ui::command::kAbout, 0}});
  }

 private:
  QtToolkit& toolkit_;
};

}  // namespace

QWidget* BuildTitleBar(ControlBuilder& build, QWidget* parent) {
  using namespace ui::ctl;
  auto* bar = build.Add(kCaptionArea1, new TitleBar(build.Toolkit(), parent));
  bar->setProperty("role", "titleBar");
  bar->setFixedHeight(kTitleBarHeight);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(24, 0, 12, 0);
  row->setSpacing(10);

  QLabel* logo = build.Picture(kLogo, bar, "logo.png", "titleLogo");
  logo->setFixedSize(34, 34);
  logo->setScaledContents(true);
  row->addWidget(logo);
  auto* titles = new QVBoxLayout;
  titles->setSpacing(0);
  titles->addStretch(1);
  titles->addWidget(build.Text(kTitle, bar, "title"));
  titles->addWidget(build.Text(kSubtitle, bar, "subtitle"));
  titles->addStretch(1);
  row->addLayout(titles);
  row->addSpacing(16);
  row->addWidget(build.Button(kWebsiteLink, bar, "link"));
  row->addStretch(1);
  row->addWidget(build.Add(kBattery, new BatteryWidget(bar)));
  row->addSpacing(12);
  row->addWidget(build.Button(kSettings, bar, "system", "sysbtn_setting.png", QStringLiteral("⚙")));
  row->addWidget(build.Button(kMinimise, bar, "system", "sysbtn_min.png", QStringLiteral("–")));
  row->addWidget(build.Button(kMaximise, bar, "system", "sysbtn_maximize.png", QStringLiteral("□")));
  row->addWidget(build.Button(kClose, bar, "close", "sysbtn_close.png", QStringLiteral("✕")));
  return bar;
}

QWidget* BuildStatusRow(ControlBuilder& build, QWidget* parent) {
  using namespace ui::ctl;
  QFrame* area = build.Area(kCaptionArea2, parent, "statusRow");
  area->setFixedHeight(72);
  auto* row = new QHBoxLayout(area);
  row->setContentsMargins(32, 12, 32, 12);
  row->setSpacing(12);
  QLabel* state = build.Text(kConnectionState, area, "connectionState");
  state->setMinimumWidth(240);
  row->addWidget(state);
  row->addStretch(1);
  QPushButton* profile = build.Button(kProfileButton, area, "secondary", "icon/icon_arrow_up.png");
  profile->setLayoutDirection(Qt::RightToLeft);
  row->addWidget(profile);
  row->addWidget(build.Button(kRestoreDefaults, area, "secondary"));
  return area;
}

QWidget* BuildTabRow(ControlBuilder& build, QWidget* parent) {
  using namespace ui::ctl;
  QFrame* area = build.Area(kTabBackground, parent, "tabRow");
  area->setFixedHeight(60);
  auto* row = new QHBoxLayout(area);
  row->setContentsMargins(32, 0, 32, 0);
  auto* tabs = build.Add(kTabStrip, new QTabBar(area));
  tabs->setDrawBase(false);
  tabs->setExpanding(false);
  tabs->setIconSize(QSize(20, 20));
  tabs->setCursor(Qt::PointingHandCursor);
  tabs->setFocusPolicy(Qt::TabFocus);
  row->addWidget(tabs, 0, Qt::AlignBottom);
  row->addStretch(1);
  return area;
}

}  // namespace korvane::qt
