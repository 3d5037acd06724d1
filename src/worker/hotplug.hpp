#pragma once

#include "catalog/catalog_types.hpp"
#include "device/hid_transport.hpp"
#include "platform/hotplug_source.hpp"
#include "worker/connection_state.hpp"
#include "worker/task_queue.hpp"

namespace korvane {

// An interface arrived or left (UI thread). The path is matched against the
// catalog's interfaces in catalog order by "VID_vvvv&PID_pppp" (upper case);
// the first match decides. An arrival whose interface passes the probe
// queues a rescan (code 2); the removal of a supported device's interface 2
// queues the removal refresh (code 3), but only while interfaces are open.
// Returns the code queued, 0 for none.
int UpdateUSBDevice(const HotplugEvent& event, const DeviceCatalog& catalog, HidTransport& transport,
                    const ConnectionState& state, TaskQueue& queue);

}  // namespace korvane
