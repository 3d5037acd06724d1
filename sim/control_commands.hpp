#pragma once

#include <string>
#include <vector>

#include "sim/socket_protocol.hpp"
#include "sim/virtual_bus.hpp"

namespace korvane::sim {

// Runs one control command on the device named `device` ("wired",
// "receiver"), or on every device it applies to when the name is empty:
//   link | unlink | plug | unplug | dpi-button COUNT INDEX | battery A B |
//   nak N [MS] | drop N | delay MS | interject N | unplug-mid-write | state
// ok is false for an unknown command or device, bad arguments, or when no
// device could do it; text says why, or holds the state JSON for "state".
ControlResult RunControl(VirtualBus& bus, const std::string& device, const std::vector<std::string>& words);

// The state of the named device, or of every device when the name is empty:
// one device gives its state object, several an object with one member per
// device name.
std::string BusStateText(const VirtualBus& bus, const std::string& device = {});

}  // namespace korvane::sim
