#pragma once

#include <array>

#include "catalog/model_definition.hpp"
#include "device/report_packet.hpp"
#include "device/sensor_dpi_table.hpp"
#include "store/records.hpp"

namespace korvane {

// The write commands of DPI, report rate, sensor, power and lighting, built
// from plain values. Each holds a value the mouse cannot take to the nearest
// one it can, so nothing out of range reaches it.

// Levels as stored: count 1..6, index below count, DPI value of each level.
struct DpiLevelValues {
  int count = 1;
  int index = 0;
  std::array<int, kMaxDpiLevels> values{};
};

// Command 3, written as 33 bytes: byte 5 = index << 4 | count, then per
// level its device code twice (X and Y), little-endian; length byte 0x25.
ReportPacket BuildDpiLevelsCommand(const SensorDpiRow& row, const DpiLevelValues& levels);

// Command 4: R, G, B of each level's colour (R + 256·G + 65536·B).
ReportPacket BuildDpiColoursCommand(const std::array<int, kMaxDpiLevels>& colours);

// Command 2: the rate code.
ReportPacket BuildReportRateCommand(int rate_code);

// Command 6: lift-off 1 or 2 (anything but 2 is 1), then the sensor options
// of bits 8 and 4 as 0/1.
ReportPacket BuildSensorCommand(int liftoff_height, int sensor_flag);

inline constexpr int kMaxResponseTime = 20;

// Command 7: sleep time (units of 10 s), wake and light-off as 0/1, response
// time 0..20.
struct PowerValues {
  int sleep_light = 0;
  int move_wakeup = 0;
  int move_closelight = 0;
  int button_respondtime = 0;
};
ReportPacket BuildPowerCommand(const PowerValues& power);

// Command 5 for a light row: mode, brightness << 4 | speed (each 0..4), and
// the mode's colours. A mode outside 0..5 carries no payload.
ReportPacket BuildLightingCommand(const LightSetting& row);

// Command 0x0E: the mouse restores its own lighting defaults.
ReportPacket BuildRestoreLightingCommand();

}  // namespace korvane
