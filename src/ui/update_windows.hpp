#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/text_lookup.hpp"
#include "ui/toolkit.hpp"

namespace korvane::ui {

// UpdateProcessDlg: the download of a software update, centred on the main
// window, with "<text 751>: N%", a bar and a Cancel button that calls
// cancel. The owner opens and closes it.
class DownloadProgressWindow final : public WindowHandler {
 public:
  static constexpr int kWidth = 360;
  static constexpr int kHeight = 130;

  DownloadProgressWindow(Toolkit& toolkit, TextLookup text, std::function<void()> cancel);
  ~DownloadProgressWindow() override;
  DownloadProgressWindow(const DownloadProgressWindow&) = delete;
  DownloadProgressWindow& operator=(const DownloadProgressWindow&) = delete;

  void Open();
  void SetDownloadProgress(int percent);
  void Close();
  bool IsOpen() const { return open_; }

  bool OnControlEvent(int control, int event, std::int64_t param) override;
  std::int64_t OnWindowMessage(int message, std::int64_t wparam, std::int64_t lparam) override;

 private:
  Toolkit& toolkit_;
  TextLookup text_;
  std::function<void()> cancel_;
  bool open_ = false;
};

// UpdateTipDlg: the firmware upgrade, centred on the main window, with
// "<label>: N%" and a bar; it starts with text 752. The owner opens it when
// the upgrade is queued and closes it when the upgrade ended.
class UpgradeProgressWindow final : public WindowHandler {
 public:
  static constexpr int kWidth = 391;
  static constexpr int kHeight = 130;

  UpgradeProgressWindow(Toolkit& toolkit, TextLookup text);
  ~UpgradeProgressWindow() override;
  UpgradeProgressWindow(const UpgradeProgressWindow&) = delete;
  UpgradeProgressWindow& operator=(const UpgradeProgressWindow&) = delete;

  void Open();
  // Shows "<label>: N%" and moves the bar; ignored while closed.
  void SetUpgradeProgress(std::string_view label, int percent);
  // Shows text instead of a step (the upgrade failed).
  void ShowFailure(std::string_view text);
  void Close();
  bool IsOpen() const { return open_; }

  bool OnControlEvent(int control, int event, std::int64_t param) override;
  std::int64_t OnWindowMessage(int message, std::int64_t wparam, std::int64_t lparam) override;

 private:
  Toolkit& toolkit_;
  TextLookup text_;
  bool open_ = false;
};

// "<label>: N%", the progress line of both windows.
std::string ProgressLine(std::string_view label, int percent);

}  // namespace korvane::ui
