#include "device/sensor_dpi_table.hpp"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(SensorDpiTable, EncodesLikeEachSensorsRuns) {
  struct Case {
    int sensor, dpi, code;
  };
  const Case cases[] = {
      {4, 100, 1},       {4, 8000, 80},    {4, 50, 1},       {4, 99999, 80},   {5, 50, 1},       {5, 6400, 128},
      {5, 6450, 128},    {5, 6500, 129},   {5, 12000, 184},  {16, 4800, 48},   {17, 10000, 200}, {17, 10100, 201},
      {17, 12000, 220},  {17, 12500, 220}, {17, 13000, 221}, {17, 24000, 232}, {25, 16000, 160}, {25, 17000, 161},
      {25, 30000, 174},  {37, 5000, 50},   {37, 5300, 50},   {37, 5500, 51},   {37, 10000, 60},  {38, 200, 1},
      {38, 5000, 49},    {38, 5500, 50},   {38, 10000, 59},  {53, 16000, 160}, {149, 100, 1},    {149, 26000, 519},
      {150, 38000, 759}, {99, 50, 0},      {99, 800, 15},    {99, 1600, 31},   {99, 3200, 63},   {99, 6400, 127},
      {99, 26000, 519},  {99, 26050, 519},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeDpi(SensorRowFor(c.sensor), c.dpi), c.code) << "sensor " << c.sensor << " at " << c.dpi;
  }
}

TEST(SensorDpiTable, DecodesKnownCodes) {
  struct Case {
    int sensor, code, dpi;
  };
  const Case cases[] = {{4, 1, 100},      {4, 80, 8000},    {5, 128, 6400}, {5, 129, 6500},    {17, 200, 10000},
                        {17, 221, 13000}, {25, 161, 17000}, {37, 51, 5500}, {150, 759, 38000}, {99, 0, 50}};
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeDpi(SensorRowFor(c.sensor), c.code), c.dpi) << "sensor " << c.sensor << " code " << c.code;
  }
}

TEST(SensorDpiTable, DecodeInvertsEveryStepOfEveryRow) {
  for (const SensorDpiRow& row : SensorRows()) {
    for (const DpiSegment& segment : row.segments) {
      for (int dpi = segment.from; dpi <= segment.to; dpi += segment.step) {
        EXPECT_EQ(DecodeDpi(row, EncodeDpi(row, dpi)), dpi) << "sensor " << row.sensor_id << " at " << dpi;
      }
    }
  }
  EXPECT_EQ(DecodeDpi(SensorRowFor(17), 225), 17000) << "codes past 220 are on the 1000-DPI run";
  EXPECT_EQ(DecodeDpi(SensorRowFor(4), 81), std::nullopt);
  EXPECT_EQ(DecodeDpi(SensorRowFor(4), 0), std::nullopt);
}

TEST(SensorDpiTable, SliderFollowsTheCodeOrFiftiesAndTheCaptions) {
  const SensorDpiRow& row149 = SensorRowFor(149);
  EXPECT_EQ(SliderIndexOf(row149, 100), 2);
  EXPECT_EQ(SliderIndexOf(row149, 26000), 520);
  EXPECT_EQ(DpiAtSlider(row149, 520), 26000);
  const SensorDpiRow& row5 = SensorRowFor(5);
  EXPECT_EQ(SliderIndexOf(row5, 6500), 129);
  EXPECT_EQ(DpiAtSlider(row5, 129), 6500);
  EXPECT_EQ(SensorRowFor(150).caption_high, "32000");
  EXPECT_EQ(SensorRowFor(150).slider_high, 640);
  EXPECT_EQ(SensorRowFor(12345).sensor_id, -1);
}

TEST(SensorDpiTable, TypedValuesSnapToEachSensorsTypingSteps) {
  struct Case {
    int sensor;
    long long typed;
    int snapped;
  };
  const Case cases[] = {
      {4, 0, 100},         {4, 99999, 8000},
      {4, 150, 100},       {4, -3, 100},
      {5, 75, 50},         {5, 12001, 12000},
      {16, 4850, 4800},    {18, 120, 100},
      {17, 10050, 10000},  {17, 10170, 10100},
      {17, 30000, 24000},  {17, 9975, 9950},
      {25, 16050, 16000},  {37, 50, 100},
      {37, 5300, 5000},    {37, 7700, 7000},
      {37, 10999, 10000},  {38, 150, 200},
      {38, 5550, 5500},    {53, 16001, 16000},
      {149, 75, 100},      {149, 1025, 1000},
      {150, 38000, 32000}, {99, 0, 50},
      {99, 825, 800},      {99, 4000000000LL, 26000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SnapTypedDpi(SensorRowFor(c.sensor), c.typed), c.snapped)
        << "sensor " << c.sensor << " typed " << c.typed;
  }
}

TEST(SensorDpiTable, SnappedValuesStayInTheRangeTheEncoderTakes) {
  for (const SensorDpiRow& row : SensorRows()) {
    for (long long typed = -100; typed <= 40000; typed += 37) {
      const int snapped = SnapTypedDpi(row, typed);
      EXPECT_GE(snapped, row.min_dpi) << "sensor " << row.sensor_id;
      EXPECT_LE(snapped, row.max_dpi) << "sensor " << row.sensor_id;
      EXPECT_LE(DecodeDpi(row, EncodeDpi(row, snapped)).value_or(0), snapped)
          << "the mouse never gets more than was typed, sensor " << row.sensor_id << " at " << snapped;
    }
  }
}

}  // namespace
}  // namespace korvane
