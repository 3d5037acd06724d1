#pragma once

#include <QWidget>
#include <string>

class QStackedWidget;
class QTabBar;

namespace korvane::qt {

class QtToolkit;

// The main window: a frameless 1300 x 788 window (at most the work area) with
// its own title bar, the status row, the tab strip and the pages; the
// settings page lies over the area below the title bar. The tab strip shows the page of its current tab.
// Closing the window is a close request to the main window's handler.
class MainWindow final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 1300;
  static constexpr int kHeight = 788;

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
