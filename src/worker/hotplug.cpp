#include "worker/hotplug.hpp"

#include <algorithm>
#include <cctype>

#include "common/text.hpp"
#include "device/accepted_interface.hpp"
#include "platform/udev_hotplug.hpp"

namespace korvane {

int UpdateUSBDevice(const HotplugEvent& event, const DeviceCatalog& catalog, HidTransport& transport,
                    const ConnectionState& state, TaskQueue& queue) {
  if (!event.arrival && !state.notify_polling) return 0;
  std::string path = event.path;
  std::transform(path.begin(), path.end(), path.begin(), [](unsigned char c) { return std::toupper(c); });
  for (const CatalogEntry& mode : catalog.interfaces) {
    std::string pattern =
        "VID_" + Hex4(static_cast<unsigned>(mode.vid)) + "&PID_" + Hex4(static_cast<unsigned>(mode.pid));
    if (!event.arrival) pattern += "&MI_02";
    if (path.find(pattern) == std::string::npos) continue;
    // The first matching mode decides, whatever the probe says.
    if (event.arrival && !ProbeHidInterface(transport, std::string(DevicePathOf(event.path)))) return 0;
    const TaskCode code = event.arrival ? kTaskArrivalScan : kTaskRemovalRefresh;
    queue.Push(code);
    return code;
  }
  return 0;
}

}  // namespace korvane
