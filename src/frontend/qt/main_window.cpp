#include "frontend/qt/main_window.hpp"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>
#include <map>

#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/pages.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "ui/control_ids.hpp"
#include "ui/window_messages.hpp"

namespace korvane::qt {

MainWindow::MainWindow(QtToolkit& toolkit, const std::string& caption)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), toolkit_(toolkit) {
  setObjectName("mainWindow");
  setAttribute(Qt::WA_StyledBackground);
  // Never larger than the work area, so a small screen still shows the whole
  // window; the pages' layouts take up what is left.
  QSize size(kWidth, kHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    size = size.boundedTo(screen->availableGeometry().size());
  setFixedSize(size);
  setWindowTitle(QString::fromStdString(caption));
  setWindowIcon(toolkit.GetSkin().AppIcon());

  ControlBuilder build(toolkit, ui::WindowId::kMain);
  QLabel* background = build.Picture(ui::ctl::kBackground, this, "main_bkg.png", "background");
  background->setScaledContents(true);
  background->setGeometry(rect());
  background->lower();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildTitleBar(build, this));

  below_title_ = new QWidget(this);
  auto* body = new QVBoxLayout(below_title_);
  body->setContentsMargins(0, 0, 0, 0);
  body->setSpacing(0);
  body->addWidget(BuildStatusRow(build, below_title_));
  body->addWidget(BuildTabRow(build, below_title_));

  auto* pages = new QStackedWidget(below_title_);
  pages->setObjectName("pageArea");
  for (auto* page :
       {BuildHomePage(build, pages), BuildButtonsPage(build, pages), BuildPerformancePage(build, pages),
        BuildMacroPage(build, pages), BuildLightingPage(build, pages), BuildDeviceInfoPage(build, pages)}) {
    pages->addWidget(page);
  }
  body->addWidget(pages, 1);
  layout->addWidget(below_title_, 1);

  settings_page_ = BuildSettingsPage(build, this);
  settings_page_->hide();

  auto* tabs = qobject_cast<QTabBar*>(toolkit.Widget(ui::ctl::kTabStrip));
  connect(tabs, &QTabBar::currentChanged, this, [this, tabs, pages](int index) { ShowPageOfTab(tabs, pages, index); });
}

void MainWindow::ShowPageOfTab(QTabBar* tabs, QStackedWidget* pages, int index) {
  static const std::map<int, int> kPageOfTab{
      {ui::ctl::tab::kHome, ui::ctl::kHomePage},
      {ui::ctl::tab::kButtons, ui::ctl::kButtonsPage},
      {ui::ctl::tab::kPerformance, ui::ctl::kPerformancePage},
      {ui::ctl::tab::kMacros, ui::ctl::kMacroPage},
      {ui::ctl::tab::kLighting, ui::ctl::kLightingPage},
      {ui::ctl::tab::kDevice, ui::ctl::kDeviceInfoPage},
  };
  const auto page = kPageOfTab.find(tabs->tabData(index).toInt());
  if (page == kPageOfTab.end()) return;
  if (QWidget* widget = toolkit_.Widget(page->second)) pages->setCurrentWidget(widget);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The handler decides whether the program ends or the window only hides.
  event->ignore();
  toolkit_.DeliverMessage(ui::WindowId::kMain, ui::msg::kClose, 0, 0);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (QWidget* background = toolkit_.Widget(ui::ctl::kBackground)) background->setGeometry(rect());
  if (settings_page_ != nullptr) settings_page_->setGeometry(0, kTitleBarHeight, width(), height() - kTitleBarHeight);
}

}  // namespace korvane::qt
