#pragma once

#include <string>

#include "device/hid_transport.hpp"

namespace korvane {

// The mouse's configuration interface: top-level collection usage page 0x0001
// with usage 0x0000, or usage page 0xFF01 with usage 0x0010.
bool IsAcceptedInterface(const HidInterfaceInfo& info);

// The firmware-update interface: usage page 0xFFEF, usage 0x0000.
bool IsUpdateInterface(const HidInterfaceInfo& info);

// The hot-plug probe: whether the interface at path exists and is a
// configuration interface. Nothing stays open.
bool ProbeHidInterface(HidTransport& transport, const std::string& path);

}  // namespace korvane
