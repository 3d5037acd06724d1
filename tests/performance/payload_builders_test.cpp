#include "performance/payload_builders.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "performance/lighting_model.hpp"

namespace korvane {
namespace {

LightSetting Row(int mode, int brightness, int speed) {
  LightSetting row;
  row.mode = mode;
  row.brightness = brightness;
  row.speed = speed;
  for (int k = 0; k < kLightColours; ++k) row.color_value[k] = 0x030201 + k * 0x030303;
  return row;
}

// Bytes 1.. of a packet, as many as expected holds.
std::vector<int> Head(const ReportPacket& packet, std::size_t count) {
  std::vector<int> out;
  for (std::size_t i = 1; i <= count; ++i) out.push_back(packet[i]);
  return out;
}

TEST(PayloadBuilders, CommandsLayOutTheirBytesAndHoldValuesTheMouseCannotTake) {
  struct Case {
    std::string what;
    ReportPacket packet;
    std::vector<int> bytes;  // from byte 1
  };
  const std::array<int, 6> colours{0x0000FF, 0xFF0000, 0x00FF00, 0x123456, 0, 0xFFFFFF};
  const Case cases[] = {
      {"rate 1000 Hz", BuildReportRateCommand(1), {0x02, 0, 1, 1, 1}},
      {"lift-off 2, flag 12", BuildSensorCommand(2, 12), {0x06, 0, 1, 5, 2, 1, 1, 0, 0}},
      {"lift-off 3 is 1.0mm, flag 53 sends only bit 4", BuildSensorCommand(3, 53), {0x06, 0, 1, 5, 1, 0, 1, 0, 0}},
      {"power", BuildPowerCommand({60, 1, 0, 8}), {0x07, 0, 1, 4, 60, 1, 0, 8}},
      {"power held to flags and 20 ms", BuildPowerCommand({6, 5, -1, 25}), {0x07, 0, 1, 4, 6, 1, 1, 20}},
      {"DPI colours", BuildDpiColoursCommand(colours), {0x04, 0, 1,    0x12, 0xFF, 0, 0, 0, 0,    0xFF, 0,
                                                        0xFF, 0, 0x56, 0x34, 0x12, 0, 0, 0, 0xFF, 0xFF, 0xFF}},
      {"light mode 2",
       BuildLightingCommand(Row(2, 4, 2)),
       {0x05, 0, 1, 24, 2, 0x42, 7, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06}},
      {"light mode 3", BuildLightingCommand(Row(3, 3, 1)), {0x05, 0, 1, 5, 3, 0x31, 0x01, 0x02, 0x03, 0}},
      {"light mode 1", BuildLightingCommand(Row(1, 0, 4)), {0x05, 0, 1, 3, 1, 0x04, 0, 0}},
      {"light off", BuildLightingCommand(Row(0, 4, 2)), {0x05, 0, 1, 2, 0, 0x42, 0}},
      {"light levels held to 4", BuildLightingCommand(Row(5, 15, 9)), {0x05, 0, 1, 2, 5, 0x44, 0}},
      {"unknown light mode", BuildLightingCommand(Row(9, 4, 2)), {0x05, 0, 1, 0, 0, 0}},
      {"restore lighting", BuildRestoreLightingCommand(), {0x0E, 0, 1, 1, 1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Head(c.packet, c.bytes.size()), c.bytes) << c.what;
  }
  const ReportPacket mode2 = BuildLightingCommand(Row(2, 4, 2));
  EXPECT_EQ(mode2[26], 0x13) << "colour 7 (R, G, B) ends the payload at byte 28";
  EXPECT_EQ(mode2[28], 0x15);
  EXPECT_EQ(mode2[29], 0);
}

TEST(PayloadBuilders, DpiCommandCarriesEachLevelCodeTwiceWithLength0x25) {
  const ReportPacket packet = BuildDpiLevelsCommand(SensorRowFor(99), {4, 2, {800, 1600, 3200, 6400, 400, 26000}});
  EXPECT_EQ(packet[1], 0x03);
  EXPECT_EQ(packet[3], 0x01);
  EXPECT_EQ(packet[4], 0x25);
  EXPECT_EQ(packet[5], 0x24);
  const int codes[] = {15, 31, 63, 127, 7, 519};
  for (int k = 0; k < 6; ++k) {
    const std::size_t at = 6 + 4 * k;
    EXPECT_EQ(packet[at] | packet[at + 1] << 8, codes[k]) << "level " << k;
    EXPECT_EQ(packet[at + 2] | packet[at + 3] << 8, codes[k]) << "level " << k << " Y";
  }
  EXPECT_EQ(packet[30], 0);
  EXPECT_EQ(packet[31], 0);

  const ReportPacket held = BuildDpiLevelsCommand(SensorRowFor(4), {9, 7, {0, 99999, 5000, 0, 0, 0}});
  EXPECT_EQ(held[5], 5 << 4 | 6) << "count held to 6, index to the last level";
  EXPECT_EQ(held[6], 1) << "a value below the sensor's range is its minimum";
  EXPECT_EQ(held[10], 80) << "a value above it is its maximum";
  EXPECT_EQ(BuildDpiLevelsCommand(SensorRowFor(4), {0, 3, {}})[5], 0x01) << "no levels is one level";
}

}  // namespace
}  // namespace korvane
