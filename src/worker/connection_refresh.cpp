// The worker's connection tasks: rescanning, the connection state the UI
// shows, and the receiver's link reports.
#include "catalog/current_model.hpp"
#include "common/text_ids.hpp"
#include "device/report_decoders.hpp"
#include "platform/app_settings.hpp"
#include "profiles/profile_manager.hpp"
#include "worker/device_worker.hpp"

namespace korvane {

namespace {
constexpr auto kArrivalWait = std::chrono::milliseconds(1);
constexpr auto kRemovalWait = std::chrono::milliseconds(500);

}  // namespace

// Loads the current model's definition and database, and makes sure the
// database holds its profiles before anything is read into it: a read-back
// into a profile that does not exist yet would be lost.
void DeviceWorker::LoadModel() {
  DeviceModel model = context_.model.Get();
  LoadReport report;
  LoadDeviceModel(context_.sources, context_.store, model, report);
  context_.model.Set(std::move(model));
  context_.state.current_profile = EnsureProfiles(context_.store, context_.sources, context_.text(text_id::kProfile));
}

unsigned DeviceWorker::DevicePages() const {
  unsigned pages = kKeyPage | kMacroPage | kPerformancePage;
  if (context_.model.Get().light_page_shown) pages |= kLightingPage;
  return pages;
}

void DeviceWorker::RescanDevices() {
  RegisterInterfaces(context_.sources.catalog, context_.manager);
  context_.manager.CloseAll();
  context_.manager.EnumerateDevice();
  context_.manager.SetReady();
  LoadModel();
}

void DeviceWorker::RefreshConnectionState() {
  ConnectionState& state = context_.state;
  DeviceManager& manager = context_.manager;
  const int type = state.current_type;
  manager.CloseAll();
  manager.EnumerateDevice();
  manager.SetReady();

  manager.SelectDeviceType(0);
  std::vector<DeviceEntry> entries;
  manager.ListDevices(entries);
  manager.SelectDeviceType(type);

  state.device_list.SetAllOffline();
  int first_typed = 0;
  for (const DeviceEntry& entry : entries) {
    if (entry.device_type <= 0) continue;
    if (first_typed == 0) first_typed = entry.device_type;
    state.device_list.SetLinkState(entry.device_type, entry.connection_mode, entry.link_state);
    state.device_list.SetVersion(entry.device_type, entry.release_number);
  }
  if (first_typed > 0) {
    state.device_list.Select(type);
    // With no model online, the one whose receiver is there is picked, so
    // its pages follow its mouse when it links.
    if (state.device_list.Selected() == 0) state.device_list.Select(first_typed);
    const int selected = state.device_list.Selected();
    state.current_type = selected;
    manager.SelectDeviceType(selected);
    SetCurrentType(context_.settings, selected);
    LoadModel();
  }
  context_.events.DeviceListChanged();

  int text = text_id::kNoMouse;
  const bool any_open = !entries.empty();
  state.notify_polling = any_open;
  switch (any_open ? manager.GetConnectionMode() : -1) {
    case kWired:
      state.mouse_linked = true;
      text = text_id::kConnectedWired;
      break;
    case kReceiver: {
      // The receiver alone is not the mouse: it is linked only when the
      // receiver said its mouse answers.
      std::vector<DeviceEntry> linked;
      manager.ListLinkedDevices(linked);
      state.mouse_linked = !linked.empty();
      text = state.mouse_linked ? text_id::kConnectedReceiver : text_id::kWaitingForMouse;
      break;
    }
    default:
      state.mouse_linked = false;
  }
  state.SetStatusText(text);
  context_.events.StatusChanged(text);
  context_.events.DeviceViewChanged(state.mouse_linked, state.mouse_linked);
  context_.events.CloseTransientWindows();
}

bool DeviceWorker::ConnectionRefresh(TaskCode code) {
  RescanDevices();
  if (code == kTaskArrivalScan) context_.sleeper.SleepFor(kArrivalWait);
  context_.state.online = false;
  RefreshConnectionState();
  if (context_.manager.GetConnectionMode() < 0) return false;
  context_.events.RefreshPages(kProfilePage | DevicePages());
  if (!ReadBackSettings(false)) return false;
  SendPendingChanges();
  context_.events.RefreshPages(DevicePages() | kSettingsPage);
  if (const auto check = handlers_.find(kTaskCheckFirmware); check != handlers_.end()) check->second();
  return true;
}

bool DeviceWorker::RemovalRefresh() {
  context_.sleeper.SleepFor(kRemovalWait);
  context_.state.online = false;
  RefreshConnectionState();
  if (context_.manager.GetConnectionMode() < 0) return false;
  if (!ReadBackSettings(false)) return false;
  SendPendingChanges();
  context_.events.RefreshPages(DevicePages() | kSettingsPage);
  return true;
}

bool DeviceWorker::SelectionRefresh() {
  context_.events.RefreshPages(kProfilePage | DevicePages());
  if (!ReadBackSettings(false)) return false;
  context_.events.RefreshPages(DevicePages() | kSettingsPage);
  return true;
}

void DeviceWorker::HandleLinkReport(const ReportBytes& report, int device_type) {
  const auto link = DecodeLinkReport(report);
  if (!link) return;
  ConnectionState& state = context_.state;
  DeviceManager& manager = context_.manager;
  context_.events.CloseTransientWindows();
  if (link->linked) {
    // The mouse may have linked after start-up: its device information is
    // read again, or the read-back would see the receiver's old answer.
    manager.RefreshReceiverIdentity(device_type);
    state.mouse_linked = true;
    const int mode = manager.GetConnectionMode();
    const int text = mode == kReceiver ? text_id::kConnectedReceiver : text_id::kConnectedWired;
    state.SetStatusText(text);
    context_.events.StatusChanged(text);
    state.device_list.SetLinkState(device_type, mode, kOnline);
    manager.SetLinkState(device_type, mode, kOnline);
    context_.events.DeviceListChanged();
    context_.events.LinkChanged(device_type, true);
    context_.events.DeviceViewChanged(true, true);
    context_.events.RefreshPages(DevicePages());
    if (ReadBackSettings(true)) {
      SendPendingChanges();
      context_.events.RefreshPages(DevicePages() | kSettingsPage);
    }
  } else {
    state.mouse_linked = false;
    state.SetStatusText(text_id::kNoMouse);
    context_.events.StatusChanged(text_id::kNoMouse);
    // The receiver that reported is still there, without its mouse.
    state.device_list.SetLinkState(device_type, kReceiver, kReceiverWithoutMouse);
    manager.SetLinkState(device_type, kReceiver, kReceiverWithoutMouse);
    manager.PollReceiverLinks();
    context_.events.DeviceListChanged();
    context_.events.LinkChanged(device_type, false);
    context_.events.DeviceViewChanged(state.device_list.OnlineCount() > 0, false);
  }
  if (link->battery_a != 0) {
    state.SetBattery(link->battery_a, link->battery_b);
    context_.events.BatteryChanged(link->battery_a, link->battery_b);
  }
}

// The change stays stored; the user is told that the mouse did not take
// it, and it is remembered (in the application settings, so another run of
// the program sends it too) until the mouse is back.
void DeviceWorker::AfterWriteFailure() {
  const int type = context_.state.current_type;
  if (type <= 0) return;
  context_.settings.WriteAppSetting(PendingChangeKey(type), "1");
  context_.events.StatusChanged(text_id::kChangeNotTaken);
}

bool DeviceWorker::ChangePending() const {
  const int type = context_.state.current_type;
  return type > 0 && context_.settings.ReadAppSetting(PendingChangeKey(type)) != 0;
}

void DeviceWorker::SendPendingChanges() {
  if (!ChangePending()) return;
  if (!WriteEverything()) return;
  context_.settings.WriteAppSetting(PendingChangeKey(context_.state.current_type), "0");
  context_.events.StatusChanged(context_.state.StatusText());
}

std::string PendingChangeKey(int device_type) { return "PendingWrite" + std::to_string(device_type); }

}  // namespace korvane
