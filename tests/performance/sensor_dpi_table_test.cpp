#include <gtest/gtest.h>

#include "performance/sensor_dpi_table.hpp"

namespace korvane {
namespace {

TEST(SensorDpiTable, EncodesLikeEachSensorsRuns) {
  struct Case {
    int sensor, dpi, code;
  };
  const Case cases[] = {
      {4, 100, 1},      {4, 8000, 80},     {4, 50, 1},        {4, 99999, 80},   {5, 50, 1},
      {5, 6400, 128},   {5, 6450, 128},    {5, 6500, 129},    {5, 12000, 184},  {16, 4800, 48},
      {17, 10000, 200}, {17, 10100, 201},  {17, 12000, 220},  {17, 12500, 225}, {17, 13000, 221},
      {17, 24000, 232}, {25, 16000, 160},  {25, 17000, 161},  {25, 30000, 174}, {37, 5000, 50},
      {37, 5300, 50},   {37, 5500, 51},    {37, 10000, 60},   {38, 200, 1},     {38, 5000, 49},
      {38, 5500, 50},   {38, 10000, 59},   {53, 16000, 160},  {149, 100, 1},    {149, 26000, 519},
      {150, 38000, 759}, {99, 50, 0},      {99, 800, 15},     {99, 1600, 31},   {99, 3200, 63},
      {99, 6400, 127},  {99, 26000, 519},  {99, 26050, 519},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeDpi(SensorRowFor(c.sensor), c.dpi), c.code) << "sensor " << c.sensor << " at " << c.dpi;
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
  EXPECT_EQ(DecodeDpi(SensorRowFor(17), 225), 17000) << "a gap value comes back from the 1000-DPI run";
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

}  // namespace
}  // namespace korvane
