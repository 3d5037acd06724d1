#include "device/report_packet.hpp"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace korvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct ChecksumCase {
  Bytes payload;
  std::uint8_t expected;
};

TEST(ReportPacketTest, ChecksumIsTheLowByteOfThePayloadSum) {
  const ChecksumCase cases[] = {
      {{0x01}, 0x01}, {{0xFF, 0xFF}, 0xFE}, {{}, 0x00}, {Bytes(27, 0x10), 0xB0},  // 27 * 0x10 = 0x1B0
  };
  for (const ChecksumCase& c : cases) {
    ReportPacket packet = *WritePacket(0xFF, c.payload);
    packet.StoreChecksum();
    EXPECT_EQ(packet[report::kChecksumByte], c.expected) << "payload size " << c.payload.size();
  }
}

TEST(ReportPacketTest, ChecksumIgnoresHeaderAndTail) {
  ReportPacket packet = *WritePacket(0x0F, Bytes{0xFF});
  packet[report::kSequenceByte] = 0xF1;
  packet[40] = 0x77;
  packet.StoreChecksum();
  EXPECT_EQ(packet[report::kChecksumByte], 0xFF);
}

TEST(ReportPacketTest, WritePacketLaysOutHeaderAndPayload) {
  const Bytes payload = {0x24, 0x0F, 0x00};
  const ReportPacket packet = *WritePacket(0x03, payload);
  ReportBytes expected{};
  expected[1] = 0x03;
  expected[3] = 0x01;
  expected[4] = 0x03;
  expected[5] = 0x24;
  expected[6] = 0x0F;
  EXPECT_EQ(packet.bytes, expected);

  EXPECT_TRUE(WritePacket(0x09, Bytes(27, 1)).has_value());
  EXPECT_FALSE(WritePacket(0x09, Bytes(28, 1)).has_value());
}

TEST(ReportPacketTest, ReadRequestCarriesOnlyTheCommand) {
  ReportBytes expected{};
  expected[1] = 0x13;
  EXPECT_EQ(ReadRequest(0x13).bytes, expected);
}

struct ChunkCase {
  std::size_t payload_size;
  std::vector<std::pair<std::uint8_t, std::uint8_t>> sequence_and_length;
};

TEST(ReportPacketTest, LongPayloadsAreCutIntoNumberedPackets) {
  const ChunkCase cases[] = {
      {27, {{0x01, 27}}},
      {29, {{0x02, 27}, {0x12, 2}}},
      {81, {{0x03, 27}, {0x13, 27}, {0x23, 27}}},
      {82, {{0x04, 27}, {0x14, 27}, {0x24, 27}, {0x34, 1}}},
  };
  for (const ChunkCase& c : cases) {
    Bytes payload(c.payload_size);
    std::iota(payload.begin(), payload.end(), std::uint8_t{1});
    const auto packets = ChunkPayload(0x08, payload);
    ASSERT_EQ(packets.size(), c.sequence_and_length.size()) << c.payload_size;
    Bytes joined;
    for (std::size_t i = 0; i < packets.size(); ++i) {
      EXPECT_EQ(packets[i][report::kCommandByte], 0x08);
      EXPECT_EQ(packets[i][report::kSequenceByte], c.sequence_and_length[i].first) << c.payload_size << " #" << i;
      EXPECT_EQ(packets[i][report::kLengthByte], c.sequence_and_length[i].second) << c.payload_size << " #" << i;
      const auto* data = packets[i].bytes.data() + report::kPayloadByte;
      joined.insert(joined.end(), data, data + packets[i][report::kLengthByte]);
      // Nothing of the next chunk leaks behind the payload.
      for (std::size_t b = report::kPayloadByte + packets[i][report::kLengthByte]; b < report::kPacketSize; ++b) {
        EXPECT_EQ(packets[i][b], 0) << "byte " << b;
      }
    }
    EXPECT_EQ(joined, payload);
  }
}

TEST(ReportPacketTest, PayloadsThatCannotBeNumberedGiveNoPackets) {
  EXPECT_TRUE(ChunkPayload(0x08, {}).empty());
  const auto most = ChunkPayload(0x08, Bytes(15 * 27, 0xAA));
  ASSERT_EQ(most.size(), 15u);
  EXPECT_EQ(most.back()[report::kSequenceByte], 0xEF);
  EXPECT_TRUE(ChunkPayload(0x08, Bytes(15 * 27 + 1, 0xAA)).empty());
}

}  // namespace
}  // namespace korvane
