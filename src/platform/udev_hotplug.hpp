#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "platform/hotplug_source.hpp"

struct udev;
struct udev_monitor;

namespace korvane {

struct UsbInterfaceIds {
  unsigned vendor_id = 0;
  unsigned product_id = 0;
  int interface_number = 0;
};

// The ids of a hidraw node from its HID parent's properties: HID_ID such as
// "0003:00003A7C:00001100" and HID_PHYS such as "usb-0000:00:14.0-1/input2".
// nullopt when HID_ID does not parse; a missing "inputN" gives interface 0.
std::optional<UsbInterfaceIds> IdsFromUdevProperties(std::string_view hid_id, std::string_view hid_phys);

// The hot-plug path of a hidraw node: the node followed by '?' and
// "VID_vvvv&PID_pppp&MI_nn" in upper case, e.g.
// "/dev/hidraw3?VID_3A7C&PID_1100&MI_02".
std::string HotplugPath(std::string_view devnode, const UsbInterfaceIds& ids);

// The openable device path of a hot-plug path (the part before '?').
std::string_view DevicePathOf(std::string_view hotplug_path);

// Arrivals and removals of hidraw nodes, from a libudev monitor. A thread
// blocks in poll() on the monitor and a stop pipe, so it costs nothing while
// nothing is plugged. Removal events carry the path noted at arrival (or at
// start for the nodes already present), since the parent devices whose
// properties give the ids are gone by then.
class UdevHotplugSource final : public HotplugSource {
 public:
  UdevHotplugSource();
  ~UdevHotplugSource() override;

  UdevHotplugSource(const UdevHotplugSource&) = delete;
  UdevHotplugSource& operator=(const UdevHotplugSource&) = delete;

  // Starts watching on the first call; false when udev is not available.
  void SetListener(Listener listener) override;
  bool Running() const { return thread_.joinable(); }

 private:
  void Run();

  std::mutex mutex_;
  Listener listener_;
  std::map<std::string, std::string> known_;  // devnode -> hot-plug path
  ::udev* udev_ = nullptr;
  ::udev_monitor* monitor_ = nullptr;
  int stop_pipe_[2] = {-1, -1};
  std::thread thread_;
};

}  // namespace korvane
