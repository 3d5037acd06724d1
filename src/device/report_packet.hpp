#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/device_types.hpp"
#include "device/report_format.hpp"

namespace korvane {

// One configuration report as written: report id 0, command, status
// placeholder, sequence, payload length, payload, checksum in byte 32. After
// an acknowledged exchange the buffer holds the answer from byte 0 (report id
// removed), so decoders read bytes directly.
struct ReportPacket {
  ReportBytes bytes{};

  std::uint8_t& operator[](std::size_t i) { return bytes[i]; }
  std::uint8_t operator[](std::size_t i) const { return bytes[i]; }
  void StoreChecksum() { bytes[report::kChecksumByte] = report::Checksum(bytes); }
};

// A single-packet write: sequence 0x01, the payload length in byte 4. nullopt
// when the payload does not fit in one packet. Builders whose length byte
// differs from the payload size (the DPI command) set byte 4 afterwards.
std::optional<ReportPacket> WritePacket(std::uint8_t command, std::span<const std::uint8_t> payload);

// A read request: only the command byte is set.
ReportPacket ReadRequest(std::uint8_t command);

// A long payload cut into packets of at most 27 bytes, packet i of n carrying
// sequence (i << 4) | n. Empty when the payload is empty or needs more than
// 15 packets, since the sequence byte cannot number them.
std::vector<ReportPacket> ChunkPayload(std::uint8_t command, std::span<const std::uint8_t> payload);

}  // namespace korvane
