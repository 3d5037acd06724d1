#include "sim/update_loader.hpp"

#include <gtest/gtest.h>

#include <numeric>

#include "common/crc16.hpp"
#include "sim/state_json.hpp"
#include "support/sim_test_support.hpp"

namespace korvane::sim {
namespace {

using test::Bytes;

Bytes UpdateReport(std::uint8_t count, const Bytes& data) {
  Bytes report(kUpdateReportSize, 0xFF);
  report[0] = 0x05;
  report[1] = 0x02;
  report[2] = count;
  report[3] = 0x00;
  std::copy(data.begin(), data.end(), report.begin() + 4);
  return report;
}

Bytes Start() { return UpdateReport(2, {0x01, 0xFF}); }
Bytes End() { return UpdateReport(6, {0x02, 0xFF}); }

// One 20-byte image packet; `corrupt` flips a bit of its CRC.
Bytes ImagePacket(std::uint16_t index, const Bytes& image, bool corrupt = false) {
  Bytes packet{static_cast<std::uint8_t>(index & 0xFF), static_cast<std::uint8_t>(index >> 8)};
  for (std::size_t i = 0; i < kImageBytesPerPacket; ++i) {
    const std::size_t at = index * kImageBytesPerPacket + i;
    packet.push_back(at < image.size() ? image[at] : 0xFF);
  }
  std::uint16_t crc = Crc16Modbus(packet);
  if (corrupt) crc ^= 0x0100;
  packet.push_back(crc & 0xFF);
  packet.push_back(crc >> 8);
  return packet;
}

Bytes DataReport(std::initializer_list<Bytes> packets) {
  Bytes data;
  for (const Bytes& p : packets) data.insert(data.end(), p.begin(), p.end());
  return UpdateReport(static_cast<std::uint8_t>(data.size()), data);
}

TEST(UpdateLoader, ReassemblesTheImageAndCountsCrcErrors) {
  Bytes image(50);
  std::iota(image.begin(), image.end(), 1);
  UpdateState state;
  ASSERT_TRUE(HandleUpdateReport(state, Start()));
  EXPECT_TRUE(state.started);
  ASSERT_TRUE(
      HandleUpdateReport(state, DataReport({ImagePacket(0, image), ImagePacket(1, image), ImagePacket(2, image)})));
  ASSERT_TRUE(HandleUpdateReport(state, DataReport({ImagePacket(3, image, true)})));
  EXPECT_EQ(state.crc_errors, 1u);
  EXPECT_EQ(state.packets, 3u);
  ASSERT_TRUE(HandleUpdateReport(state, DataReport({ImagePacket(3, image)})));
  EXPECT_FALSE(state.finished);
  ASSERT_TRUE(HandleUpdateReport(state, End()));
  EXPECT_TRUE(state.finished);
  EXPECT_EQ(state.packets, 4u);
  ASSERT_EQ(state.image.size(), 64u);
  EXPECT_EQ(Bytes(state.image.begin(), state.image.begin() + 50), image);
  EXPECT_EQ(Bytes(state.image.begin() + 50, state.image.end()), Bytes(14, 0xFF)) << "fill of the short packet";
}

// The state's digest covers the image in packet-index order, whatever order
// the packets came in, with the 0xFF fill of the short last packet.
TEST(UpdateLoader, StateShowsTheDigestOfTheImageAsPlaced) {
  MouseState mouse;
  EXPECT_EQ(StateToJson(mouse)["firmware"]["sha256"],
            "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855")
      << "nothing received: the digest of no bytes";

  Bytes image(50);
  std::iota(image.begin(), image.end(), 1);
  HandleUpdateReport(mouse.update, Start());
  HandleUpdateReport(mouse.update, DataReport({ImagePacket(2, image), ImagePacket(0, image)}));
  HandleUpdateReport(mouse.update, DataReport({ImagePacket(3, image), ImagePacket(1, image)}));
  HandleUpdateReport(mouse.update, End());
  const auto firmware = StateToJson(mouse)["firmware"];
  EXPECT_EQ(firmware["bytes"], 64);
  // SHA-256 of the bytes 1..50 followed by 14 bytes 0xFF.
  EXPECT_EQ(firmware["sha256"], "4592b778bd00e4b55f1c341ec1b1571f389880bc4aa6bfc04fa3cb84ee023eee");
}

TEST(UpdateLoader, IgnoresDataOutsideAnUpdateAndRefusesForeignReports) {
  const Bytes image(16, 0xAB);
  UpdateState state;
  EXPECT_TRUE(HandleUpdateReport(state, DataReport({ImagePacket(0, image)})));
  EXPECT_TRUE(HandleUpdateReport(state, End()));
  EXPECT_EQ(state.packets, 0u);
  EXPECT_FALSE(state.finished) << "an end without a start finishes nothing";

  Bytes wrong_id = Start();
  wrong_id[0] = 0x00;
  EXPECT_FALSE(HandleUpdateReport(state, wrong_id));
  const Bytes start = Start();
  EXPECT_FALSE(HandleUpdateReport(state, Bytes(start.begin(), start.begin() + 33)));
  EXPECT_FALSE(state.started);

  ASSERT_TRUE(HandleUpdateReport(state, Start()));
  EXPECT_TRUE(HandleUpdateReport(state, UpdateReport(21, Bytes(21, 0))));  // not whole packets
  EXPECT_TRUE(HandleUpdateReport(state, UpdateReport(80, Bytes(60, 0))));  // more than the report holds
  EXPECT_EQ(state.packets + state.crc_errors, 0u);
}

TEST(UpdateLoader, StartDiscardsAnEarlierImage) {
  const Bytes image(16, 0x11);
  UpdateState state;
  HandleUpdateReport(state, Start());
  HandleUpdateReport(state, DataReport({ImagePacket(0, image, true), ImagePacket(1, image)}));
  HandleUpdateReport(state, End());
  HandleUpdateReport(state, Start());
  EXPECT_TRUE(state.started);
  EXPECT_FALSE(state.finished);
  EXPECT_TRUE(state.image.empty());
  EXPECT_EQ(state.crc_errors, 0u);
}

}  // namespace
}  // namespace korvane::sim
