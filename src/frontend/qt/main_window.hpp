#pragma once

#include <QWidget>
#include <string>

class QStackedWidget;
class QTabBar;

namespace korvane::qt {

class QtToolkit;

// The main window: a frameless window with its own title bar, the status row,
// the tab strip and the pages; the settings page lies over the area below the
// title bar. It opens at 1300 x 788 (at most the work area) and can be resized
// from its edges down to a size that fits a 1366 x 768 screen with a panel;
// a page that does not fit scrolls. The tab strip shows the page of its
// current tab. Closing the window is a close request to the main window's handler.
class MainWindow final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 1300;
  static constexpr int kHeight = 788;
  static constexpr int kMinimumWidth = 1024;
  static constexpr int kMinimumHeight = 640;

  // Builds the frame, the status row, the tab strip and the home page.
  MainWindow(QtToolkit& toolkit, const std::string& caption);

  // Builds the device pages and the settings page; once, and before anything
  // addresses their controls. Kept apart so that the window can appear with
  // what it shows first while the hidden pages are built.
  void BuildRemainingPages();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QtToolkit& toolkit_;
  QWidget* below_title_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QWidget* settings_page_ = nullptr;

  void ShowPageOfTab(QTabBar* tabs, int index);
};

}  // namespace korvane::qt
