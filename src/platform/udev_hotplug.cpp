#include "platform/udev_hotplug.hpp"

#include <fcntl.h>
#include <libudev.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>

#include "common/text.hpp"

namespace korvane {

std::optional<UsbInterfaceIds> IdsFromUdevProperties(std::string_view hid_id, std::string_view hid_phys) {
  // HID_ID is "bus:vendor:product", each part hexadecimal.
  const auto first = hid_id.find(':');
  const auto second = first == std::string_view::npos ? first : hid_id.find(':', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const auto vendor = ParseHex(hid_id.substr(first + 1, second - first - 1));
  const auto product = ParseHex(hid_id.substr(second + 1));
  if (!vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF) return std::nullopt;
  UsbInterfaceIds ids{*vendor, *product, 0};
  const auto input = hid_phys.rfind("/input");
  if (input != std::string_view::npos) ids.interface_number = LeadingNumber(hid_phys.substr(input + 6));
  return ids;
}

std::string HotplugPath(std::string_view devnode, const UsbInterfaceIds& ids) {
  char tag[40];
  std::snprintf(tag, sizeof tag, "?VID_%04X&PID_%04X&MI_%02d", ids.vendor_id & 0xFFFF, ids.product_id & 0xFFFF,
                ids.interface_number & 0xFF);
  return std::string(devnode) + tag;
}

std::string_view DevicePathOf(std::string_view hotplug_path) { return hotplug_path.substr(0, hotplug_path.find('?')); }

namespace {

// The hot-plug path of a hidraw udev device, or empty when its HID parent
// does not give usable ids.
std::string PathOfDevice(udev_device* device) {
  const char* node = udev_device_get_devnode(device);
  udev_device* hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
  if (!node || !hid) return {};
  const char* hid_id = udev_device_get_property_value(hid, "HID_ID");
  const char* hid_phys = udev_device_get_property_value(hid, "HID_PHYS");
  const auto ids = IdsFromUdevProperties(hid_id ? hid_id : "", hid_phys ? hid_phys : "");
  return ids ? HotplugPath(node, *ids) : std::string();
}

}  // namespace

UdevHotplugSource::UdevHotplugSource() = default;

UdevHotplugSource::~UdevHotplugSource() {
  if (thread_.joinable()) {
    const char stop = 1;
    [[maybe_unused]] ssize_t written = ::write(stop_pipe_[1], &stop, 1);
    thread_.join();
  }
  for (int fd : stop_pipe_) {
    if (fd >= 0) ::close(fd);
  }
  if (monitor_) udev_monitor_unref(monitor_);
  if (udev_) udev_unref(udev_);
}

void UdevHotplugSource::SetListener(Listener listener) {
  {
    std::lock_guard lock(mutex_);
    listener_ = std::move(listener);
  }
  if (thread_.joinable() || udev_) return;
  udev_ = udev_new();
  if (!udev_) return;
  monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
  if (!monitor_ || udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor_) < 0 || ::pipe2(stop_pipe_, O_CLOEXEC) != 0) {
    return;
  }
  // Note the nodes already present so their removal can be matched later.
  udev_enumerate* enumerate = udev_enumerate_new(udev_);
  udev_enumerate_add_match_subsystem(enumerate, "hidraw");
  udev_enumerate_scan_devices(enumerate);
  udev_list_entry* entry;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
    udev_device* device = udev_device_new_from_syspath(udev_, udev_list_entry_get_name(entry));
    if (!device) continue;
    const std::string path = PathOfDevice(device);
    if (!path.empty()) known_[udev_device_get_devnode(device)] = path;
    udev_device_unref(device);
  }
  udev_enumerate_unref(enumerate);
  thread_ = std::thread([this] { Run(); });
}

void UdevHotplugSource::Run() {
  pollfd fds[2] = {{udev_monitor_get_fd(monitor_), POLLIN, 0}, {stop_pipe_[0], POLLIN, 0}};
  for (;;) {
    if (::poll(fds, 2, -1) < 0) continue;
    if (fds[1].revents) return;
    udev_device* device = udev_monitor_receive_device(monitor_);
    if (!device) continue;
    const char* action = udev_device_get_action(device);
    const char* node = udev_device_get_devnode(device);
    HotplugEvent event;
    if (action && node && std::string_view(action) == "add") {
      event.path = PathOfDevice(device);
      if (!event.path.empty()) known_[node] = event.path;
    } else if (action && node && std::string_view(action) == "remove") {
      event.arrival = false;
      if (const auto it = known_.find(node); it != known_.end()) {
        event.path = it->second;
        known_.erase(it);
      }
    }
    udev_device_unref(device);
    if (event.path.empty()) continue;
    std::lock_guard lock(mutex_);
    if (listener_) listener_(event);
  }
}

}  // namespace korvane
