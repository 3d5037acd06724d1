// Every decoder of the mouse's answers and unsolicited reports on the same
// bytes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/report_decoders.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  korvane::DecodeDeviceInfo(bytes);
  korvane::DecodeReportRate(bytes);
  korvane::DecodeDpiLevels(bytes);
  korvane::DecodeDpiColours(bytes);
  korvane::DecodeLighting(bytes);
  korvane::DecodeLiftOffSensor(bytes);
  korvane::DecodePower(bytes);
  korvane::DecodeReceiverVersion(bytes);
  korvane::DecodeLinkReport(bytes);
  korvane::DecodeDpiReport(bytes);
  return 0;
}
