#include "sim/update_loader.hpp"

#include <algorithm>

#include "common/crc16.hpp"

namespace korvane::sim {

namespace {

constexpr std::size_t kDataStart = 4;
constexpr std::uint16_t kStartCode = 0xFF01;
constexpr std::uint16_t kEndCode = 0xFF02;

std::uint16_t Le16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void TakePacket(UpdateState& state, std::span<const std::uint8_t> packet) {
  const std::size_t crc_at = kImagePacketSize - 2;
  if (Crc16Modbus(packet.first(crc_at)) != Le16(packet, crc_at)) {
    ++state.crc_errors;
    return;
  }
  const std::size_t offset = std::size_t{Le16(packet, 0)} * kImageBytesPerPacket;
  if (state.image.size() < offset + kImageBytesPerPacket) state.image.resize(offset + kImageBytesPerPacket, 0xFF);
  std::copy_n(packet.begin() + 2, kImageBytesPerPacket, state.image.begin() + offset);
  ++state.packets;
}

}  // namespace

bool HandleUpdateReport(UpdateState& state, std::span<const std::uint8_t> report) {
  if (report.size() != kUpdateReportSize || report[0] != kUpdateReportId) return false;
  if (report[1] != 0x02) return true;
  const std::size_t count = report[2];
  const std::span<const std::uint8_t> data = report.subspan(kDataStart);
  if (count == 2 && Le16(data, 0) == kStartCode) {
    state = UpdateState{};
    state.started = true;
  } else if (count == 6 && Le16(data, 0) == kEndCode) {
    if (state.started) state.finished = true;
  } else if (count > 0 && count % kImagePacketSize == 0 && count <= data.size() && state.started && !state.finished) {
    for (std::size_t at = 0; at < count; at += kImagePacketSize) TakePacket(state, data.subspan(at, kImagePacketSize));
  }
  return true;
}

}  // namespace korvane::sim
