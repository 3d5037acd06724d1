#include "device/multi_packet_write.hpp"

#include "device/device_manager.hpp"
#include "device/report_packet.hpp"

namespace korvane {

bool WriteMultiPacket(DeviceManager& manager, std::uint8_t command, std::span<const std::uint8_t> payload) {
  bool result = false;
  for (ReportPacket& packet : ChunkPayload(command, payload)) {
    result = manager.Exchange(packet, report::kShortPacketSize);
  }
  return result;
}

}  // namespace korvane
