#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "sim/mouse_state.hpp"

namespace korvane::sim {

// Reports of the firmware-update interface: 64 bytes, report id 5, byte 1
// 0x02, byte 2 the number of data bytes from byte 4 on.
inline constexpr std::uint8_t kUpdateReportId = 5;
inline constexpr std::size_t kUpdateReportSize = 64;
inline constexpr std::size_t kImagePacketSize = 20;  // index, 16 bytes, CRC
inline constexpr std::size_t kImageBytesPerPacket = 16;

// Handles one report written to the update interface: start (code 0xFF01)
// empties the image, data packets whose CRC-16/MODBUS matches are placed at
// 16 times their index, packets with a wrong CRC are counted and dropped, and
// end (code 0xFF02) marks a started update finished. Data outside a started,
// unfinished update is ignored. Returns false, changing nothing, when the
// device has no such report (wrong report id or size).
bool HandleUpdateReport(UpdateState& state, std::span<const std::uint8_t> report);

}  // namespace korvane::sim
