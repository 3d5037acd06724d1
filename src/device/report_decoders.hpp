#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace korvane {

// Decoders of the mouse's answers and unsolicited reports. Each takes the
// bytes as read (report id removed) and gives nullopt unless the report is
// long enough, echoes the expected command and, for answers, carries status 0.
// They only decode; range checks of the values belong to whoever stores them.

// Command 0x10.
struct DeviceInfoAnswer {
  std::string device_id;           // bytes 4..7, as received
  std::uint16_t sensor_value = 0;  // bytes 8..9, little-endian
  std::uint8_t sensor_id = 0;      // byte 10
  std::uint8_t max_rate_code = 0;  // byte 11
  std::uint8_t battery_b = 0;      // byte 12
  std::uint8_t battery_a = 0;      // byte 13
  bool online = false;             // byte 14 nonzero
};
std::optional<DeviceInfoAnswer> DecodeDeviceInfo(std::span<const std::uint8_t> answer);

// Command 0x12.
struct ReportRateAnswer {
  std::uint8_t rate_code = 0;
};
std::optional<ReportRateAnswer> DecodeReportRate(std::span<const std::uint8_t> answer);

// Command 0x13: the count and active index, and each level's device code
// (the X value of its four-byte group).
struct DpiLevelsAnswer {
  int count = 0;
  int index = 0;
  std::array<std::uint16_t, 6> codes{};
};
std::optional<DpiLevelsAnswer> DecodeDpiLevels(std::span<const std::uint8_t> answer);

// A DPI level count and active level the program can use: 1 to 6 levels,
// the active one among them. Read-backs and the DPI button's reports that
// fail it are not stored.
inline bool DpiSelectionInRange(int count, int index) {
  return count >= 1 && count <= 6 && index >= 0 && index < count;
}

// Command 0x14: colours as R + 256·G + 65536·B.
struct DpiColoursAnswer {
  std::array<int, 6> colours{};
};
std::optional<DpiColoursAnswer> DecodeDpiColours(std::span<const std::uint8_t> answer);

// Command 0x15.
struct LightingAnswer {
  int mode = 0;
  int brightness = 0;  // high nibble of byte 5
  int speed = 0;       // low nibble of byte 5
};
std::optional<LightingAnswer> DecodeLighting(std::span<const std::uint8_t> answer);

// Command 0x16. sensor_flag is 8 when byte 5 is 1, plus 4 when byte 6 is 1.
struct LiftOffSensorAnswer {
  int liftoff_height = 0;
  int sensor_flag = 0;
};
std::optional<LiftOffSensorAnswer> DecodeLiftOffSensor(std::span<const std::uint8_t> answer);

// Command 0x17.
struct PowerAnswer {
  int sleep_light = 0;
  int move_wakeup = 0;
  int move_closelight = 0;
  int button_respondtime = 0;
};
std::optional<PowerAnswer> DecodePower(std::span<const std::uint8_t> answer);

// Command 0x20: byte 4 as uppercase hex without leading zeros, then byte 5
// as two uppercase hex digits ("1" and 0x05 give "105").
std::optional<std::string> DecodeReceiverVersion(std::span<const std::uint8_t> answer);

// Unsolicited 0xC0. battery_a 0 means the report carries no battery values.
struct LinkReport {
  bool linked = false;
  std::uint8_t battery_a = 0;
  std::uint8_t battery_b = 0;
};
std::optional<LinkReport> DecodeLinkReport(std::span<const std::uint8_t> report);

// Unsolicited 0xC2.
struct DpiReport {
  int count = 0;
  int index = 0;
};
std::optional<DpiReport> DecodeDpiReport(std::span<const std::uint8_t> report);

}  // namespace korvane
