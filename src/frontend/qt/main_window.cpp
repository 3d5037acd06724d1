#include "frontend/qt/main_window.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>
#include <map>

#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/pages.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "frontend/qt/window_edges.hpp"
#include "ui/control_ids.hpp"
#include "ui/window_messages.hpp"

namespace korvane::qt {

namespace {

// A page in a scroll area that gives it the whole area when it fits and
// scroll bars when the window is smaller than the page needs.
QScrollArea* Scrolling(QWidget* page) {
  auto* area = new QScrollArea(page->parentWidget());
  area->setObjectName("pageScroll");
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setWidget(page);
  return area;
}

// Ctrl+Tab and its kin: the next (step 1) or previous (-1) tab the strip
// offers, round the ends; nothing while the strip is not shown.
void StepTab(QTabBar* tabs, int step) {
  if (!tabs->isVisible() || tabs->count() == 0) return;
  int index = tabs->currentIndex();
  for (int tried = 0; tried < tabs->count(); ++tried) {
    index = (index + step + tabs->count()) % tabs->count();
    if (tabs->isTabVisible(index) && tabs->isTabEnabled(index)) {
      tabs->setCurrentIndex(index);
      return;
    }
  }
}

}  // namespace

MainWindow::MainWindow(QtToolkit& toolkit, const std::string& caption)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), toolkit_(toolkit) {
  setObjectName("mainWindow");
  setAttribute(Qt::WA_StyledBackground);
  // Never larger than the work area, so a small screen still shows the whole
  // window; the pages' layouts take up what is left.
  QSize size(kWidth, kHeight);
  QSize smallest(kMinimumWidth, kMinimumHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    size = size.boundedTo(screen->availableGeometry().size());
    smallest = smallest.boundedTo(size);
  }
  setMinimumSize(smallest);
  resize(size);
  new WindowEdges(this);
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

  pages_ = new QStackedWidget(below_title_);
  pages_->setObjectName("pageArea");
  pages_->addWidget(Scrolling(BuildHomePage(build, pages_)));
  body->addWidget(pages_, 1);
  layout->addWidget(below_title_, 1);

  auto* tabs = qobject_cast<QTabBar*>(toolkit.Widget(ui::ctl::kTabStrip));
  connect(tabs, &QTabBar::currentChanged, this, [this, tabs](int index) { ShowPageOfTab(tabs, index); });
  for (const auto& [keys, step] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                   {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                   {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                                   {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
                                   {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}}) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, [tabs, step] { StepTab(tabs, step); });
  }
}

void MainWindow::BuildRemainingPages() {
  if (settings_page_ != nullptr) return;
  ControlBuilder build(toolkit_, ui::WindowId::kMain);
  for (auto* page :
       {BuildButtonsPage(build, pages_), BuildPerformancePage(build, pages_), BuildMacroPage(build, pages_),
        BuildLightingPage(build, pages_), BuildDeviceInfoPage(build, pages_)}) {
    pages_->addWidget(Scrolling(page));
  }
  settings_page_ = BuildSettingsPage(build, this);
  settings_page_->hide();
  settings_page_->setGeometry(0, kTitleBarHeight, width(), height() - kTitleBarHeight);
}

void MainWindow::ShowPageOfTab(QTabBar* tabs, int index) {
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
  QWidget* holder = toolkit_.Widget(page->second);
  while (holder != nullptr && holder->parentWidget() != pages_) holder = holder->parentWidget();
  if (holder == nullptr) return;
  pages_->setCurrentWidget(holder);
  // The focus left on the page now hidden goes to the tab strip (or the next
  // control shown), so the keyboard goes on from where the user is.
  const QWidget* focus = QApplication::focusWidget();
  if (!isActiveWindow() || (focus != nullptr && focus->isVisible())) return;
  if (tabs->isVisible()) {
    tabs->setFocus(Qt::OtherFocusReason);
  } else {
    focusNextChild();
  }
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
