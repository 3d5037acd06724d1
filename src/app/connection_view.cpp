#include "app/connection_view.hpp"

#include "common/text_ids.hpp"
#include "ui/about_dlg.hpp"
#include "ui/control_ids.hpp"

namespace korvane {

ConnectionView::ConnectionView(ui::Toolkit& toolkit, TextLookup text, const ConnectionState& state,
                               MainNavigation& navigation, const PageHooks& hooks,
                               std::function<void()> close_transient, std::function<void(int)> battery_seen)
    : toolkit_(toolkit),
      text_(std::move(text)),
      state_(state),
      navigation_(navigation),
      hooks_(hooks),
      close_transient_(std::move(close_transient)),
      battery_seen_(std::move(battery_seen)) {}

void ConnectionView::StatusChanged(int text_id) { navigation_.ShowStatus(text_id); }

void ConnectionView::DeviceListChanged() {
  using ui::ctl::kDeviceList;
  toolkit_.SetAllDevicesOffline(kDeviceList);
  for (const DeviceListModel::Row& row : state_.device_list.Rows()) {
    toolkit_.SetDeviceVersion(
        kDeviceList, row.device_type,
        row.release_number ? ui::ReleaseVersionText(text_(text_id::kVersion), row.release_number) : std::string());
    // Only a mouse that is there has a battery to show.
    if (!row.online) continue;
    toolkit_.SetDeviceOnline(kDeviceList, row.device_type, row.connection_mode, true);
    toolkit_.SetDeviceBattery(kDeviceList, row.device_type, row.battery_a, row.battery_b);
  }
  // The device information page shows the version of the current model's mouse.
  const auto current = state_.device_list.RowOf(state_.current_type);
  toolkit_.SetText(ui::ctl::kFirmwareVersion,
                   current && current->release_number ? ui::ReleaseVersion(current->release_number) : std::string());
}

void ConnectionView::DeviceViewChanged(bool device_list_shown, bool device_pages_shown) {
  using namespace ui::ctl;
  for (const int control : {kDeviceList, kDeviceListPrevious, kDeviceListNext}) {
    toolkit_.SetVisible(control, device_list_shown);
  }
  // The picture with its text is what home shows while no mouse is there.
  toolkit_.SetVisible(kHomePicture, !device_list_shown);
  toolkit_.SetVisible(kBattery, device_pages_shown);
  if (!device_pages_shown) navigation_.ReturnHome();
}

void ConnectionView::BatteryChanged(int battery_a, int battery_b) {
  toolkit_.SetBattery(ui::ctl::kBattery, battery_a, battery_b);
  battery_seen_(battery_a);
}

void ConnectionView::RefreshPages(unsigned pages) { hooks_.Refresh(pages); }

void ConnectionView::CloseTransientWindows() { close_transient_(); }

void ConnectionView::LinkChanged(int, bool linked) {
  DeviceListChanged();
  if (!linked) {
    navigation_.ReturnHome();
  } else if (navigation_.CurrentTab() != ui::ctl::tab::kHome && !navigation_.SettingsOpen()) {
    navigation_.SelectTab(1);
  }
}

void ConnectionView::DpiButtonPressed(int count, int index) { hooks_.DpiButton(count, index); }

void ConnectionView::TaskFinished(TaskCode code, bool succeeded) { hooks_.TaskFinished(code, succeeded); }

}  // namespace korvane
