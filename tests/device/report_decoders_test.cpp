#include "device/report_decoders.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

namespace korvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// An answer as read: echo, status, two uninterpreted bytes, then data.
Bytes Answer(std::uint8_t command, const Bytes& data) {
  Bytes answer(32, 0);
  answer[0] = command;
  std::copy(data.begin(), data.end(), answer.begin() + 4);
  return answer;
}

TEST(ReportDecodersTest, DeviceInformation) {
  const auto info = DecodeDeviceInfo(Answer(0x10, {'A', '8', '0', '1', 0x34, 0x12, 0x07, 0x40, 80, 95, 1}));
  ASSERT_TRUE(info);
  EXPECT_EQ(info->device_id, "A801");
  EXPECT_EQ(info->sensor_value, 0x1234);
  EXPECT_EQ(info->sensor_id, 7);
  EXPECT_EQ(info->max_rate_code, 0x40);
  EXPECT_EQ(info->battery_b, 80);
  EXPECT_EQ(info->battery_a, 95);
  EXPECT_TRUE(info->online);
  EXPECT_FALSE(DecodeDeviceInfo(Answer(0x10, {'A', '8', '0', '1', 0, 0, 0, 0, 0, 0, 0}))->online);
}

TEST(ReportDecodersTest, SettingsAnswers) {
  EXPECT_EQ(DecodeReportRate(Answer(0x12, {3}))->rate_code, 3);

  // Count 4, index 2, level codes 15, 31, 63, 127 with X and Y equal.
  const auto levels = DecodeDpiLevels(
      Answer(0x13, {0x24, 15, 0, 15, 0, 31, 0, 31, 0, 63, 0, 63, 0, 127, 0, 127, 0, 0x2C, 0x01, 0x2C, 0x01, 0, 0}));
  ASSERT_TRUE(levels);
  EXPECT_EQ(levels->count, 4);
  EXPECT_EQ(levels->index, 2);
  EXPECT_EQ(levels->codes, (std::array<std::uint16_t, 6>{15, 31, 63, 127, 300, 0}));

  const auto colours = DecodeDpiColours(Answer(0x14, {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 1, 2, 3}));
  ASSERT_TRUE(colours);
  EXPECT_EQ(colours->colours, (std::array<int, 6>{0xFF, 0xFF00, 0xFF0000, 0x030201, 0, 0}));

  const auto light = DecodeLighting(Answer(0x15, {3, 0x52}));
  ASSERT_TRUE(light);
  EXPECT_EQ(light->mode, 3);
  EXPECT_EQ(light->brightness, 5);
  EXPECT_EQ(light->speed, 2);

  const auto power = DecodePower(Answer(0x17, {10, 1, 0, 4}));
  ASSERT_TRUE(power);
  EXPECT_EQ(power->sleep_light, 10);
  EXPECT_EQ(power->move_wakeup, 1);
  EXPECT_EQ(power->move_closelight, 0);
  EXPECT_EQ(power->button_respondtime, 4);
}

TEST(ReportDecodersTest, LiftOffAndSensorFlag) {
  struct Case {
    Bytes data;
    int height;
    int flag;
  };
  const Case cases[] = {
      {{1, 0, 1}, 1, 4},
      {{2, 1, 0}, 2, 8},
      {{1, 1, 1}, 1, 12},
      {{0, 2, 0xFF}, 0, 0},
  };
  for (const Case& c : cases) {
    const auto answer = DecodeLiftOffSensor(Answer(0x16, c.data));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->liftoff_height, c.height);
    EXPECT_EQ(answer->sensor_flag, c.flag) << int(c.data[1]) << " " << int(c.data[2]);
  }
}

TEST(ReportDecodersTest, ReceiverVersionText) {
  EXPECT_EQ(DecodeReceiverVersion(Answer(0x20, {0x01, 0x05})), "105");
  EXPECT_EQ(DecodeReceiverVersion(Answer(0x20, {0x1A, 0x0F})), "1A0F");
  EXPECT_EQ(DecodeReceiverVersion(Answer(0x20, {0x00, 0xFF})), "0FF");
}

TEST(ReportDecodersTest, UnsolicitedReports) {
  const auto linked = DecodeLinkReport(Bytes{0xC0, 0x01, 90, 3});
  ASSERT_TRUE(linked);
  EXPECT_TRUE(linked->linked);
  EXPECT_EQ(linked->battery_a, 90);
  EXPECT_EQ(linked->battery_b, 3);
  EXPECT_FALSE(DecodeLinkReport(Bytes{0xC0, 0x02, 0, 0})->linked);
  EXPECT_EQ(DecodeLinkReport(Bytes{0xC0, 0x00, 0, 7})->battery_a, 0);

  const auto dpi = DecodeDpiReport(Bytes{0xC2, 0x24});
  ASSERT_TRUE(dpi);
  EXPECT_EQ(dpi->count, 4);
  EXPECT_EQ(dpi->index, 2);
}

// Each decoder with the code it expects and whether it checks a status byte.
struct Decoder {
  const char* name;
  std::uint8_t code;
  bool answer;
  std::function<bool(std::span<const std::uint8_t>)> decodes;
};

template <typename F>
std::function<bool(std::span<const std::uint8_t>)> Decodes(F decode) {
  return [decode](std::span<const std::uint8_t> bytes) { return decode(bytes).has_value(); };
}

std::vector<Decoder> AllDecoders() {
  return {
      {"device info", 0x10, true, Decodes(DecodeDeviceInfo)},
      {"report rate", 0x12, true, Decodes(DecodeReportRate)},
      {"dpi levels", 0x13, true, Decodes(DecodeDpiLevels)},
      {"dpi colours", 0x14, true, Decodes(DecodeDpiColours)},
      {"lighting", 0x15, true, Decodes(DecodeLighting)},
      {"lift-off", 0x16, true, Decodes(DecodeLiftOffSensor)},
      {"power", 0x17, true, Decodes(DecodePower)},
      {"receiver version", 0x20, true, Decodes(DecodeReceiverVersion)},
      {"link report", 0xC0, false, Decodes(DecodeLinkReport)},
      {"dpi report", 0xC2, false, Decodes(DecodeDpiReport)},
  };
}

TEST(ReportDecodersTest, BadAnswersAreRejected) {
  for (const Decoder& d : AllDecoders()) {
    Bytes good(32, 0);
    good[0] = d.code;
    EXPECT_TRUE(d.decodes(good)) << d.name;

    Bytes wrong_echo = good;
    wrong_echo[0] = d.code ^ 0x01;
    Bytes busy = good;
    busy[1] = 0x01;
    EXPECT_FALSE(d.decodes(Bytes{})) << d.name;
    EXPECT_FALSE(d.decodes(Bytes{d.code})) << d.name;
    EXPECT_FALSE(d.decodes(Bytes(32, 0xFF))) << d.name;
    EXPECT_FALSE(d.decodes(wrong_echo)) << d.name;
    if (d.answer) {
      EXPECT_FALSE(d.decodes(busy)) << d.name;
    }
  }
}

TEST(ReportDecodersTest, RandomAnswersNeverBreakTheDecoders) {
  std::mt19937 random(20261210);
  const auto decoders = AllDecoders();
  for (int round = 0; round < 20000; ++round) {
    Bytes bytes(random() % 66);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    const Decoder& d = decoders[random() % decoders.size()];
    // Most rounds look like the expected report so the value paths are reached.
    if (!bytes.empty() && random() % 4 != 0) bytes[0] = d.code;
    if (bytes.size() > 1 && random() % 2 == 0) bytes[1] = 0;

    for (const Decoder& any : decoders) any.decodes(bytes);
    if (const auto levels = DecodeDpiLevels(bytes)) {
      EXPECT_LT(levels->count, 16);
      EXPECT_LT(levels->index, 16);
    }
    if (const auto colours = DecodeDpiColours(bytes)) {
      for (int colour : colours->colours) EXPECT_LE(colour, 0xFFFFFF);
    }
    if (const auto sensor = DecodeLiftOffSensor(bytes)) {
      EXPECT_EQ(sensor->sensor_flag % 4, 0);
    }
    if (const auto version = DecodeReceiverVersion(bytes)) {
      EXPECT_GE(version->size(), 3u);
      EXPECT_LE(version->size(), 4u);
    }
    if (const auto info = DecodeDeviceInfo(bytes)) {
      EXPECT_EQ(info->device_id.size(), 4u);
    }
  }
}

}  // namespace
}  // namespace korvane
