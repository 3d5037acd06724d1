#include "device/device_manager.hpp"

#include <algorithm>

#include "common/text.hpp"
#include "device/accepted_interface.hpp"
#include "device/report_decoders.hpp"

namespace korvane {

namespace {

constexpr std::size_t kProductStringChars = 511;
constexpr std::size_t kDeviceIdChars = 4;
constexpr auto kInfoRetryPause = std::chrono::milliseconds(500);

Sleeper& DefaultSleeper() {
  static ThreadSleeper sleeper;
  return sleeper;
}

// Type 0 means no type is selected, so no entry belongs to it.
bool OfType(const DeviceEntry& entry, int device_type) { return device_type > 0 && entry.device_type == device_type; }

}  // namespace

DeviceManager::DeviceManager(HidTransport& transport) : DeviceManager(transport, DefaultSleeper()) {}

DeviceManager::DeviceManager(HidTransport& transport, Sleeper& sleeper)
    : transport_(transport), sleeper_(sleeper), snapshot_(std::make_shared<const std::vector<DeviceEntry>>()) {}

DeviceManager::~DeviceManager() = default;

void DeviceManager::ClearSupportedModes() { modes_.clear(); }

void DeviceManager::AddSupportedMode(int vid, int pid, const std::string& name, int device_type, int mode,
                                     const std::string& dev_id) {
  modes_.push_back({static_cast<std::uint16_t>(vid), static_cast<std::uint16_t>(pid), name, device_type, mode, dev_id});
}

bool DeviceManager::HasMode(std::uint16_t vendor_id, std::uint16_t product_id) const {
  return std::any_of(modes_.begin(), modes_.end(), [&](const SupportedMode& mode) {
    return mode.vendor_id == vendor_id && mode.product_id == product_id;
  });
}

int DeviceManager::ConnectionModeOf(std::uint16_t vendor_id, std::uint16_t product_id) const {
  for (const SupportedMode& mode : modes_) {
    if (mode.vendor_id == vendor_id && mode.product_id == product_id) return mode.connection_mode;
  }
  return kWired;
}

int DeviceManager::LookupDeviceType(std::uint16_t vendor_id, std::uint16_t product_id,
                                    const std::string& device_id) const {
  for (const SupportedMode& mode : modes_) {
    if (mode.vendor_id != vendor_id || mode.product_id != product_id) continue;
    if (mode.device_id.size() < kDeviceIdChars) return kReceiverFallbackType;
    if (mode.device_id == device_id) return mode.device_type;
  }
  return 0;
}

void DeviceManager::EnumerateDevice() {
  for (const HidInterfaceInfo& info : transport_.Enumerate()) {
    if (!HasMode(info.vendor_id, info.product_id) || !IsAcceptedInterface(info)) continue;
    // A node with several top-level collections is listed once per collection.
    const bool listed = std::any_of(devices_.begin(), devices_.end(),
                                    [&](const OpenInterface& device) { return device.entry.path == info.path; });
    if (listed) continue;
    auto handle = transport_.Open(info.path);
    if (!handle) continue;
    OpenInterface device;
    device.entry.index = static_cast<int>(devices_.size());
    device.entry.vendor_id = info.vendor_id;
    device.entry.product_id = info.product_id;
    device.entry.path = info.path;
    device.entry.product = Utf8Prefix(handle->ProductString(), kProductStringChars);
    device.entry.release_number = info.release_number;
    device.entry.connection_mode = ConnectionModeOf(info.vendor_id, info.product_id);
    device.handle = std::move(handle);
    RefreshIdentity(device);
    devices_.push_back(std::move(device));
  }
  Publish();
}

void DeviceManager::RefreshIdentity(OpenInterface& device) {
  ReportBytes answer{};
  bool answered = QueryDeviceInfo(*device.handle, answer);
  if (!answered) {
    sleeper_.SleepFor(kInfoRetryPause);
    answered = QueryDeviceInfo(*device.handle, answer);
  }
  const auto info = answered ? DecodeDeviceInfo(answer) : std::nullopt;
  // A receiver counts as linked only once it said its mouse answers; until
  // then it is present without its mouse.
  if (device.entry.connection_mode == kReceiver) {
    device.entry.link_state = info && info->online ? kOnline : kReceiverWithoutMouse;
  }
  if (!info) return;
  device.entry.device_info = answer;
  device.entry.device_id = info->device_id;
  device.entry.device_type = LookupDeviceType(device.entry.vendor_id, device.entry.product_id, info->device_id);
}

void DeviceManager::RefreshReceiverIdentity(int device_type) {
  for (OpenInterface& device : devices_) {
    if (device.entry.device_type == device_type && device.entry.connection_mode == kReceiver) {
      RefreshIdentity(device);
    }
  }
  cached_.reset();
  Publish();
}

void DeviceManager::CloseAll() {
  devices_.clear();
  cached_.reset();
  Publish();
}

void DeviceManager::SelectDeviceType(int device_type) {
  selected_type_ = device_type;
  cached_.reset();
}

HidHandle* DeviceManager::CurrentInterface() {
  if (cached_) return devices_[*cached_].handle.get();
  const int type = selected_type_;
  for (std::size_t i = 0; i < devices_.size(); ++i) {
    if (OfType(devices_[i].entry, type) && devices_[i].entry.connection_mode == kWired) {
      cached_ = i;
      return devices_[i].handle.get();
    }
  }
  // Only the first receiver of the type is considered.
  for (std::size_t i = 0; i < devices_.size(); ++i) {
    if (!OfType(devices_[i].entry, type) || devices_[i].entry.connection_mode != kReceiver) continue;
    if (devices_[i].entry.link_state != kOnline) return nullptr;
    cached_ = i;
    return devices_[i].handle.get();
  }
  return nullptr;
}

bool DeviceManager::GetCurrentVidPid(std::uint16_t& vendor_id, std::uint16_t& product_id) {
  if (!cached_) CurrentInterface();
  if (!cached_) return false;
  vendor_id = devices_[*cached_].entry.vendor_id;
  product_id = devices_[*cached_].entry.product_id;
  return true;
}

std::optional<DeviceEntry> DeviceManager::CurrentEntry() {
  if (!cached_) CurrentInterface();
  if (!cached_) return std::nullopt;
  return devices_[*cached_].entry;
}

void DeviceManager::SetLinkState(int device_type, int connection_mode, int state) {
  for (OpenInterface& device : devices_) {
    if (device.entry.device_type == device_type && device.entry.connection_mode == connection_mode) {
      device.entry.link_state = state;
    }
  }
  // The current interface may be a receiver that just lost or found its mouse.
  cached_.reset();
  Publish();
}

void DeviceManager::Publish() {
  auto entries = std::make_shared<std::vector<DeviceEntry>>();
  entries->reserve(devices_.size());
  for (const OpenInterface& device : devices_) entries->push_back(device.entry);
  std::lock_guard lock(snapshot_mutex_);
  snapshot_ = std::move(entries);
}

std::shared_ptr<const std::vector<DeviceEntry>> DeviceManager::Devices() const {
  std::lock_guard lock(snapshot_mutex_);
  return snapshot_;
}

int DeviceManager::GetConnectionMode() const {
  const auto devices = Devices();
  const int type = selected_type_;
  auto has_mode = [&](int mode) {
    return std::any_of(devices->begin(), devices->end(),
                       [&](const DeviceEntry& entry) { return OfType(entry, type) && entry.connection_mode == mode; });
  };
  if (has_mode(kWired)) return kWired;
  if (has_mode(kReceiver)) return kReceiver;
  return -1;
}

bool DeviceManager::ListDevices(std::vector<DeviceEntry>& out) const {
  const auto devices = Devices();
  if (devices->empty()) return false;
  const int type = selected_type_;
  out.clear();
  std::copy_if(devices->begin(), devices->end(), std::back_inserter(out),
               [&](const DeviceEntry& entry) { return type == 0 || entry.device_type == type; });
  return true;
}

bool DeviceManager::ListLinkedDevices(std::vector<DeviceEntry>& out) const {
  if (!ListDevices(out)) return false;
  std::erase_if(out, [](const DeviceEntry& entry) { return entry.link_state != kOnline; });
  return true;
}

bool DeviceManager::GetReleaseNumber(int& value, int connection_mode) const {
  if (!ready_) return false;
  const auto devices = Devices();
  for (const DeviceEntry& entry : *devices) {
    if (entry.connection_mode == connection_mode) {
      value = entry.release_number;
      return true;
    }
  }
  return false;
}

bool DeviceManager::HasLinkedType(int device_type) const {
  const auto devices = Devices();
  return std::any_of(devices->begin(), devices->end(), [&](const DeviceEntry& entry) {
    return entry.device_type == device_type && !entry.device_id.empty() && entry.link_state > kNotLinked;
  });
}

}  // namespace korvane
