#include "device/report_packet.hpp"

#include <algorithm>

namespace korvane {

namespace {

ReportPacket Frame(std::uint8_t command, std::uint8_t sequence, std::span<const std::uint8_t> payload) {
  ReportPacket packet;
  packet[report::kCommandByte] = command;
  packet[report::kSequenceByte] = sequence;
  packet[report::kLengthByte] = static_cast<std::uint8_t>(payload.size());
  std::copy(payload.begin(), payload.end(), packet.bytes.begin() + report::kPayloadByte);
  return packet;
}

}  // namespace

std::optional<ReportPacket> WritePacket(std::uint8_t command, std::span<const std::uint8_t> payload) {
  if (payload.size() > report::kMaxPayload) return std::nullopt;
  return Frame(command, 0x01, payload);
}

ReportPacket ReadRequest(std::uint8_t command) { return Frame(command, 0x00, {}); }

std::vector<ReportPacket> ChunkPayload(std::uint8_t command, std::span<const std::uint8_t> payload) {
  const std::size_t count = (payload.size() + report::kMaxPayload - 1) / report::kMaxPayload;
  std::vector<ReportPacket> packets;
  if (count == 0 || count > report::kMaxChunks) return packets;
  packets.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t offset = i * report::kMaxPayload;
    const auto chunk = payload.subspan(offset, std::min(report::kMaxPayload, payload.size() - offset));
    packets.push_back(Frame(command, static_cast<std::uint8_t>((i << 4) | count), chunk));
  }
  return packets;
}

}  // namespace korvane
