#include "ui/update_windows.hpp"

#include <string>
#include <utility>

#include "common/text_ids.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/placement.hpp"
#include "ui/window_messages.hpp"

namespace korvane::ui {

namespace {

void OpenCentred(Toolkit& toolkit, WindowId window, int width, int height) {
  PlaceOnOwner(toolkit, window, width, height);
  toolkit.ShowWindow(window, WindowState::kNormal);
}

}  // namespace

std::string ProgressLine(std::string_view label, int percent) {
  return std::string(label) + ": " + std::to_string(percent) + "%";
}

DownloadProgressWindow::DownloadProgressWindow(Toolkit& toolkit, TextLookup text, std::function<void()> cancel)
    : toolkit_(toolkit), text_(std::move(text)), cancel_(std::move(cancel)) {
  constexpr WindowId kWindow = WindowId::kDownloadProgress;
  toolkit_.SetHandler(kWindow, this);
  toolkit_.SetRange({kWindow, ctl::download_window::kBar}, 0, 100);
  toolkit_.ShowWindow(kWindow, WindowState::kHidden);
}

DownloadProgressWindow::~DownloadProgressWindow() { toolkit_.SetHandler(WindowId::kDownloadProgress, nullptr); }

void DownloadProgressWindow::Open() {
  constexpr WindowId kWindow = WindowId::kDownloadProgress;
  toolkit_.SetWindowTitle(kWindow, text_(text_id::kSoftwareUpdateTitle));
  toolkit_.SetText({kWindow, ctl::download_window::kCancel}, text_(text_id::kCancel));
  toolkit_.SetEnabled({kWindow, ctl::download_window::kCancel}, true);
  open_ = true;
  SetDownloadProgress(0);
  OpenCentred(toolkit_, kWindow, kWidth, kHeight);
}

void DownloadProgressWindow::SetDownloadProgress(int percent) {
  if (!open_) return;
  constexpr WindowId kWindow = WindowId::kDownloadProgress;
  toolkit_.SetText({kWindow, ctl::download_window::kText}, ProgressLine(text_(text_id::kDownloadingUpdate), percent));
  toolkit_.SetValue({kWindow, ctl::download_window::kBar}, percent);
}

void DownloadProgressWindow::Close() {
  open_ = false;
  toolkit_.ShowWindow(WindowId::kDownloadProgress, WindowState::kHidden);
}

bool DownloadProgressWindow::OnControlEvent(int control, int event, std::int64_t) {
  if (control != ctl::download_window::kCancel || event != event::kClick) return false;
  // The download ends at its next block; the owner closes the window then.
  toolkit_.SetEnabled({WindowId::kDownloadProgress, ctl::download_window::kCancel}, false);
  cancel_();
  return true;
}

std::int64_t DownloadProgressWindow::OnWindowMessage(int message, std::int64_t, std::int64_t) {
  if (message == msg::kClose && open_) cancel_();
  return 0;
}

UpgradeProgressWindow::UpgradeProgressWindow(Toolkit& toolkit, TextLookup text)
    : toolkit_(toolkit), text_(std::move(text)) {
  constexpr WindowId kWindow = WindowId::kUpgradeProgress;
  toolkit_.SetHandler(kWindow, this);
  toolkit_.SetRange({kWindow, ctl::upgrade_window::kBar}, 0, 100);
  toolkit_.ShowWindow(kWindow, WindowState::kHidden);
}

UpgradeProgressWindow::~UpgradeProgressWindow() { toolkit_.SetHandler(WindowId::kUpgradeProgress, nullptr); }

void UpgradeProgressWindow::Open() {
  constexpr WindowId kWindow = WindowId::kUpgradeProgress;
  toolkit_.SetWindowTitle(kWindow, text_(text_id::kFirmwareTitle));
  toolkit_.SetText({kWindow, ctl::upgrade_window::kText}, text_(text_id::kUpgrading));
  toolkit_.SetValue({kWindow, ctl::upgrade_window::kBar}, 0);
  open_ = true;
  OpenCentred(toolkit_, kWindow, kWidth, kHeight);
}

void UpgradeProgressWindow::SetUpgradeProgress(std::string_view label, int percent) {
  if (!open_) return;
  constexpr WindowId kWindow = WindowId::kUpgradeProgress;
  toolkit_.SetText({kWindow, ctl::upgrade_window::kText}, ProgressLine(label, percent));
  toolkit_.SetValue({kWindow, ctl::upgrade_window::kBar}, percent);
}

void UpgradeProgressWindow::ShowFailure(std::string_view text) {
  if (open_) toolkit_.SetText({WindowId::kUpgradeProgress, ctl::upgrade_window::kText}, text);
}

void UpgradeProgressWindow::Close() {
  open_ = false;
  toolkit_.ShowWindow(WindowId::kUpgradeProgress, WindowState::kHidden);
}

// The upgrade cannot be stopped halfway: the window has no controls of its
// own and ignores a request to close.
bool UpgradeProgressWindow::OnControlEvent(int, int, std::int64_t) { return false; }

std::int64_t UpgradeProgressWindow::OnWindowMessage(int, std::int64_t, std::int64_t) { return 0; }

}  // namespace korvane::ui
