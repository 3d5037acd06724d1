#include "performance/payload_builders.hpp"

#include <algorithm>
#include <vector>

namespace korvane {

namespace {

constexpr std::uint8_t kDpiLengthByte = 0x25;
constexpr int kMaxLightLevel = 4;
constexpr std::uint8_t kRestoreLightingByte = 0x01;

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value & 0xFF); }
std::uint8_t Flag(int value) { return value != 0 ? 1 : 0; }

void PutColour(std::vector<std::uint8_t>& out, int colour) {
  out.insert(out.end(), {Byte(colour), Byte(colour >> 8), Byte(colour >> 16)});
}

ReportPacket Write(std::uint8_t command, const std::vector<std::uint8_t>& payload) {
  return *WritePacket(command, payload);
}

}  // namespace

ReportPacket BuildDpiLevelsCommand(const SensorDpiRow& row, const DpiLevelValues& levels) {
  const int count = std::clamp(levels.count, 1, kMaxDpiLevels);
  const int index = std::clamp(levels.index, 0, count - 1);
  std::vector<std::uint8_t> payload{Byte(index << 4 | count)};
  for (const int dpi : levels.values) {
    const int code = EncodeDpi(row, dpi);
    payload.insert(payload.end(), {Byte(code), Byte(code >> 8), Byte(code), Byte(code >> 8)});
  }
  ReportPacket packet = Write(report::kDpiLevels, payload);
  packet[report::kLengthByte] = kDpiLengthByte;
  return packet;
}

ReportPacket BuildDpiColoursCommand(const std::array<int, kMaxDpiLevels>& colours) {
  std::vector<std::uint8_t> payload;
  for (const int colour : colours) PutColour(payload, colour);
  return Write(report::kDpiColours, payload);
}

ReportPacket BuildReportRateCommand(int rate_code) { return Write(report::kReportRate, {Byte(rate_code)}); }

ReportPacket BuildSensorCommand(int liftoff_height, int sensor_flag) {
  return Write(report::kLiftOffSensor,
               {Byte(liftoff_height == 2 ? 2 : 1), Flag(sensor_flag & 8), Flag(sensor_flag & 4), 0, 0});
}

ReportPacket BuildPowerCommand(const PowerValues& power) {
  return Write(report::kPower,
               {Byte(std::clamp(power.sleep_light, 0, 0xFF)), Flag(power.move_wakeup), Flag(power.move_closelight),
                Byte(std::clamp(power.button_respondtime, 0, kMaxResponseTime))});
}

ReportPacket BuildLightingCommand(const LightSetting& row) {
  const int brightness = std::clamp(row.brightness, 0, kMaxLightLevel);
  const int speed = std::clamp(row.speed, 0, kMaxLightLevel);
  std::vector<std::uint8_t> payload{Byte(row.mode), Byte(brightness << 4 | speed)};
  switch (row.mode) {
    case 0:
    case 4:
    case 5:
      break;
    case 1:
      payload.push_back(0);
      break;
    case 2:
      payload.push_back(Byte(kLightColours));
      for (const int colour : row.color_value) PutColour(payload, colour);
      break;
    case 3:
      PutColour(payload, row.color_value[0]);
      break;
    default:
      payload.clear();
  }
  return Write(report::kLighting, payload);
}

ReportPacket BuildRestoreLightingCommand() { return Write(report::kRestoreLighting, {kRestoreLightingByte}); }

}  // namespace korvane
