#include "app/main_navigation.hpp"

#include <algorithm>

#include "common/text_ids.hpp"
#include "ui/control_ids.hpp"

namespace korvane {

namespace {
constexpr int kHomeIndex = 0;
constexpr int kButtonsIndex = 1;
}  // namespace

MainNavigation::MainNavigation(ui::Toolkit& toolkit, TextLookup text, ConnectionState& state, TaskQueue& queue)
    : toolkit_(toolkit),
      text_(std::move(text)),
      state_(state),
      queue_(queue),
      current_tab_(ui::ctl::tab::kHome),
      last_device_tab_(ui::ctl::tab::kButtons) {}

void MainNavigation::ShowStatus(int text_id) {
  state_.SetStatusText(text_id);
  toolkit_.SetText(ui::ctl::kConnectionState, text_(text_id));
}

void MainNavigation::SelectTab(int index) {
  using namespace ui::ctl;
  const auto items = toolkit_.Items(kTabStrip);
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  if (settings_open_) {
    toolkit_.SetVisible(kSettingsPage, false);
    ShowFrameButtons(true);
    settings_open_ = false;
  }
  const int item = items[index].data;
  if (current_tab_ == tab::kHome) toolkit_.SetVisible(kMousePicture, true);
  if (item == tab::kHome) SetDeviceChrome(false);
  toolkit_.SetSelection(kTabStrip, index);
  current_tab_ = item;
  if (item != tab::kHome) last_device_tab_ = item;
}

int MainNavigation::IndexOfTab(int item) const {
  const auto items = toolkit_.Items(ui::ctl::kTabStrip);
  const auto found =
      std::find_if(items.begin(), items.end(), [item](const ui::ListItem& tab) { return tab.data == item; });
  return found == items.end() ? kButtonsIndex : static_cast<int>(found - items.begin());
}

void MainNavigation::LeaveTab(int item) {
  if (current_tab_ == item && !settings_open_) SelectTab(kButtonsIndex);
  if (last_device_tab_ == item) last_device_tab_ = ui::ctl::tab::kButtons;
}

void MainNavigation::OpenDevicePages(int connection_mode) {
  if (connection_mode == kReceiver) {
    ShowStatus(text_id::kConnectedReceiver);
    queue_.Push(kTaskSelectDevice);
  } else {
    ShowStatus(text_id::kConnectedWired);
  }
  SetDeviceChrome(true);
  SelectTab(IndexOfTab(last_device_tab_));
}

void MainNavigation::OpenSettingsPage() {
  using namespace ui::ctl;
  toolkit_.SetVisible(kTabBackground, false);
  toolkit_.SetVisible(kTabStrip, false);
  toolkit_.SetVisible(kMousePicture, false);
  toolkit_.SetVisible(kSettings, false);
  toolkit_.SetVisible(kMaximise, false);
  toolkit_.SetVisible(kSettingsPage, true);
  settings_open_ = true;
}

void MainNavigation::LeaveSettingsPage() {
  using namespace ui::ctl;
  toolkit_.SetVisible(kSettingsPage, false);
  ShowFrameButtons(true);
  settings_open_ = false;
  if (state_.notify_polling && current_tab_ != tab::kHome) {
    // Back to the device page the user left for the settings.
    SetDeviceChrome(true);
    SelectTab(IndexOfTab(current_tab_));
  } else {
    SelectTab(kHomeIndex);
    toolkit_.SetVisible(kHomePage, true);
  }
}

void MainNavigation::ReturnHome() {
  if (settings_open_) {
    current_tab_ = ui::ctl::tab::kHome;
    return;
  }
  if (current_tab_ != ui::ctl::tab::kHome) SelectTab(kHomeIndex);
}

// The status row (status line, profile and restore buttons), the tab strip
// and the mouse picture belong to the device pages; home shows none of them.
void MainNavigation::SetDeviceChrome(bool shown) {
  using namespace ui::ctl;
  for (const int control :
       {kCaptionArea2, kTabBackground, kTabStrip, kConnectionState, kProfileButton, kRestoreDefaults, kMousePicture}) {
    toolkit_.SetVisible(control, shown);
  }
}

void MainNavigation::ShowFrameButtons(bool shown) {
  using namespace ui::ctl;
  for (const int control : {kMinimise, kMaximise, kSettings, kClose}) toolkit_.SetVisible(control, shown);
}

}  // namespace korvane
