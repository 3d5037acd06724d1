#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace korvane {

// The mouse's configuration reports. Byte offsets of a written packet
// include the report id byte (always 0); offsets of an answer do not.
namespace report {

inline constexpr std::size_t kPacketSize = 65;       // full write
inline constexpr std::size_t kShortPacketSize = 33;  // report id + 32 bytes
inline constexpr std::size_t kCommandByte = 1;
inline constexpr std::size_t kSequenceByte = 3;
inline constexpr std::size_t kLengthByte = 4;
inline constexpr std::size_t kPayloadByte = 5;
inline constexpr std::size_t kMaxPayload = 27;  // bytes 5..31
inline constexpr std::size_t kChecksumByte = 32;
inline constexpr std::size_t kMaxChunks = 15;

// Answer layout (report id removed).
inline constexpr std::size_t kAnswerCommand = 0;
inline constexpr std::size_t kAnswerStatus = 1;
inline constexpr std::size_t kAnswerData = 4;

enum Command : std::uint8_t {
  kReportRate = 0x02,
  kDpiLevels = 0x03,
  kDpiColours = 0x04,
  kLighting = 0x05,
  kLiftOffSensor = 0x06,
  kPower = 0x07,
  kMacroData = 0x08,
  kButtons = 0x09,
  kRestoreLighting = 0x0E,
  kFactoryReset = 0x0F,
  kDeviceInfo = 0x10,
  kReadBackStart = 0x11,
  kReadReportRate = 0x12,
  kReadDpiLevels = 0x13,
  kReadDpiColours = 0x14,
  kReadLighting = 0x15,
  kReadLiftOffSensor = 0x16,
  kReadPower = 0x17,
  kReadReceiverVersion = 0x20,
  kLinkReport = 0xC0,
  kDpiReport = 0xC2,
};

// The low 8 bits of the sum of the payload area, bytes 5..31 of a written
// packet (the header is not covered). packet must hold at least 32 bytes.
inline std::uint8_t Checksum(std::span<const std::uint8_t> packet) {
  unsigned sum = 0;
  for (std::size_t i = kPayloadByte; i < kChecksumByte && i < packet.size(); ++i) sum += packet[i];
  return static_cast<std::uint8_t>(sum & 0xFF);
}

}  // namespace report
}  // namespace korvane
