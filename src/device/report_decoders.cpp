#include "device/report_decoders.hpp"

#include <cstdio>

#include "device/report_format.hpp"

namespace korvane {

namespace {

using report::kAnswerData;

// An acknowledged answer to command that holds at least size bytes.
bool IsAnswer(std::span<const std::uint8_t> answer, std::uint8_t command, std::size_t size) {
  return answer.size() >= size && answer[report::kAnswerCommand] == command && answer[report::kAnswerStatus] == 0;
}

bool IsUnsolicited(std::span<const std::uint8_t> report, std::uint8_t code, std::size_t size) {
  return report.size() >= size && report[0] == code;
}

int HighNibble(std::uint8_t value) { return value >> 4; }
int LowNibble(std::uint8_t value) { return value & 0x0F; }

}  // namespace

std::optional<DeviceInfoAnswer> DecodeDeviceInfo(std::span<const std::uint8_t> answer) {
  if (!IsAnswer(answer, report::kDeviceInfo, 15)) return std::nullopt;
  DeviceInfoAnswer info;
  info.device_id.assign(answer.begin() + 4, answer.begin() + 8);
  info.sensor_value = static_cast<std::uint16_t>(answer[8] | (answer[9] << 8));
  info.sensor_id = answer[10];
  info.max_rate_code = answer[11];
  info.battery_b = answer[12];
  info.battery_a = answer[13];
  info.online = answer[14] != 0;
  return info;
}

std::optional<ReportRateAnswer> DecodeReportRate(std::span<const std::uint8_t> answer) {
  if (!IsAnswer(answer, report::kReadReportRate, kAnswerData + 1)) return std::nullopt;
  return ReportRateAnswer{answer[kAnswerData]};
}

std::optional<DpiLevelsAnswer> DecodeDpiLevels(std::span<const std::uint8_t> answer) {
  constexpr std::size_t kFirstGroup = kAnswerData + 1;
  DpiLevelsAnswer levels;
  if (!IsAnswer(answer, report::kReadDpiLevels, kFirstGroup + 4 * (levels.codes.size() - 1) + 2)) return std::nullopt;
  levels.count = LowNibble(answer[kAnswerData]);
  levels.index = HighNibble(answer[kAnswerData]);
  for (std::size_t k = 0; k < levels.codes.size(); ++k) {
    const std::size_t at = kFirstGroup + 4 * k;
    levels.codes[k] = static_cast<std::uint16_t>(answer[at] | (answer[at + 1] << 8));
  }
  return levels;
}

std::optional<DpiColoursAnswer> DecodeDpiColours(std::span<const std::uint8_t> answer) {
  DpiColoursAnswer colours;
  if (!IsAnswer(answer, report::kReadDpiColours, kAnswerData + 3 * colours.colours.size())) return std::nullopt;
  for (std::size_t k = 0; k < colours.colours.size(); ++k) {
    const std::size_t at = kAnswerData + 3 * k;
    colours.colours[k] = answer[at] + 256 * answer[at + 1] + 65536 * answer[at + 2];
  }
  return colours;
}

std::optional<LightingAnswer> DecodeLighting(std::span<const std::uint8_t> answer) {
  if (!IsAnswer(answer, report::kReadLighting, kAnswerData + 2)) return std::nullopt;
  return LightingAnswer{answer[kAnswerData], HighNibble(answer[kAnswerData + 1]), LowNibble(answer[kAnswerData + 1])};
}

std::optional<LiftOffSensorAnswer> DecodeLiftOffSensor(std::span<const std::uint8_t> answer) {
  if (!IsAnswer(answer, report::kReadLiftOffSensor, kAnswerData + 3)) return std::nullopt;
  const int flag = (answer[kAnswerData + 1] == 1 ? 8 : 0) + (answer[kAnswerData + 2] == 1 ? 4 : 0);
  return LiftOffSensorAnswer{answer[kAnswerData], flag};
}

std::optional<PowerAnswer> DecodePower(std::span<const std::uint8_t> answer) {
  if (!IsAnswer(answer, report::kReadPower, kAnswerData + 4)) return std::nullopt;
  return PowerAnswer{answer[kAnswerData], answer[kAnswerData + 1], answer[kAnswerData + 2], answer[kAnswerData + 3]};
}

std::optional<std::string> DecodeReceiverVersion(std::span<const std::uint8_t> answer) {
  if (!IsAnswer(answer, report::kReadReceiverVersion, kAnswerData + 2)) return std::nullopt;
  char text[8];
  std::snprintf(text, sizeof text, "%X%02X", answer[kAnswerData], answer[kAnswerData + 1]);
  return std::string(text);
}

std::optional<LinkReport> DecodeLinkReport(std::span<const std::uint8_t> report) {
  if (!IsUnsolicited(report, report::kLinkReport, 4)) return std::nullopt;
  return LinkReport{report[1] == 1, report[2], report[3]};
}

std::optional<DpiReport> DecodeDpiReport(std::span<const std::uint8_t> report) {
  if (!IsUnsolicited(report, report::kDpiReport, 2)) return std::nullopt;
  return DpiReport{LowNibble(report[1]), HighNibble(report[1])};
}

}  // namespace korvane
