#pragma once

#include <memory>
#include <optional>
#include <string>

#include "device/hid_transport.hpp"

namespace korvane::sim {

// The HID transport the --hid option asks for: "sim:SOCKET" talks to a
// korvane-virtual-mouse serving SOCKET (that transport is also a
// HotplugSource, forwarding the server's plug and unplug events); anything
// else, or nothing, is the system's HID stack through hidapi.
std::unique_ptr<HidTransport> SelectTransport(const std::optional<std::string>& hid);

}  // namespace korvane::sim
