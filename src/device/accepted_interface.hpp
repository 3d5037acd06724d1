#pragma once

#include <optional>
#include <string>
#include <vector>

#include "device/hid_transport.hpp"

namespace korvane {

// The mouse's configuration interface: top-level collection usage page 0x0001
// with usage 0x0000, or usage page 0xFF01 with usage 0x0010.
bool IsAcceptedInterface(const HidInterfaceInfo& info);

// The firmware-update interface: usage page 0xFFEF, usage 0x0000.
bool IsUpdateInterface(const HidInterfaceInfo& info);

// What a probe of path finds among the listed top-level collections: a node
// can list several, and the probe looks at every one of them as the
// enumeration does, so it answers with an accepted collection when there is
// one, else the first listed at that path.
std::optional<HidInterfaceInfo> ProbeAmong(std::vector<HidInterfaceInfo> listed, const std::string& path);

// The hot-plug probe: whether the interface at path exists and is a
// configuration interface. Nothing stays open.
bool ProbeHidInterface(HidTransport& transport, const std::string& path);

}  // namespace korvane
