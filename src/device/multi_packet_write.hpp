#pragma once

#include <cstdint>
#include <span>

namespace korvane {

class DeviceManager;

// Sends a payload longer than one packet (the macro data) as consecutive
// 33-byte packets, each waiting for its own acknowledgement. A packet that is
// not acknowledged does not stop the ones after it; the result is that of the
// last packet, false when the payload is empty or too long to number.
bool WriteMultiPacket(DeviceManager& manager, std::uint8_t command, std::span<const std::uint8_t> payload);

}  // namespace korvane
