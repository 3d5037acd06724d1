#include <gtest/gtest.h>

#include "sim/firmware.hpp"
#include "support/sim_test_support.hpp"

namespace korvane::sim {
namespace {

using test::Bytes;
using test::Frame;

// The stream of a macro on button `key`: the key code, then one 4-byte
// record per event (press and release of keys 0x04, 0x05, ...).
Bytes MacroStream(std::uint8_t key, int events) {
  Bytes stream{key};
  for (int i = 0; i < events; ++i) {
    const std::uint8_t code = (i % 2 == 0) ? 0x30 : 0xB0;
    stream.insert(stream.end(), {code, static_cast<std::uint8_t>(i), 0x00, static_cast<std::uint8_t>(4 + i / 2)});
  }
  return stream;
}

// Packet i of n: command 0x08, sequence (i << 4) | n, the chunk's length.
Bytes Packet(const Bytes& stream, int index, int count) {
  const std::size_t from = 27 * static_cast<std::size_t>(index);
  const std::size_t length = std::min<std::size_t>(27, stream.size() - from);
  Bytes body{0x08, 0x00, static_cast<std::uint8_t>((index << 4) | count), static_cast<std::uint8_t>(length)};
  body.insert(body.end(), stream.begin() + from, stream.begin() + from + length);
  return Frame(body, test::PayloadSum(body));
}

int PacketCount(const Bytes& stream) { return static_cast<int>((stream.size() + 26) / 27); }

std::uint8_t Status(MouseState& state, const Bytes& frame) {
  const auto answer = HandleConfigReport(state, frame);
  EXPECT_TRUE(answer.has_value());
  return answer ? (*answer)[1] : 0xFF;
}

TEST(MacroStream, ReassemblesStreamsOfOneToFifteenPackets) {
  for (const int events : {0, 6, 7, 20, 101}) {
    SCOPED_TRACE(events);
    MouseState state = test::FactoryWiredMouse();
    const Bytes stream = MacroStream(3, events);
    const int count = PacketCount(stream);
    for (int i = 0; i < count; ++i) {
      const Bytes packet = Packet(stream, i, count);
      const auto answer = HandleConfigReport(state, packet);
      ASSERT_TRUE(answer.has_value());
      EXPECT_EQ(test::ToHex(Bytes(answer->begin(), answer->begin() + 4)),
                test::ToHex({0x08, 0x00, packet[report::kSequenceByte], 0x00}));
    }
    ASSERT_EQ(state.settings.macros.count(3), 1u);
    EXPECT_EQ(state.settings.macros.at(3), stream);
    EXPECT_FALSE(state.macro.active);
  }
}

TEST(MacroStream, SequenceBytesOfTheLongestStream) {
  const Bytes stream = MacroStream(1, 101);
  ASSERT_EQ(stream.size(), 405u);
  ASSERT_EQ(PacketCount(stream), 15);
  EXPECT_EQ(Packet(stream, 0, 15)[report::kSequenceByte], 0x0F);
  EXPECT_EQ(Packet(stream, 14, 15)[report::kSequenceByte], 0xEF);
}

TEST(MacroStream, OutOfOrderPacketsAreRefusedAndDropThePartialStream) {
  const Bytes stream = MacroStream(2, 20);  // three packets
  struct Case {
    const char* name;
    std::vector<int> order;
    std::vector<std::uint8_t> statuses;
  };
  for (const Case& c : std::vector<Case>{
           {"middle packet first", {1, 0, 1, 2}, {kRejected, 0, 0, 0}},
           {"packet skipped", {0, 2, 1}, {0, kRejected, kRejected}},
           {"packet repeated", {0, 1, 1, 2}, {0, 0, kRejected, kRejected}},
           {"restart from the first packet", {0, 1, 0, 1, 2}, {0, 0, 0, 0, 0}},
       }) {
    SCOPED_TRACE(c.name);
    MouseState state = test::FactoryWiredMouse();
    for (std::size_t i = 0; i < c.order.size(); ++i) {
      EXPECT_EQ(Status(state, Packet(stream, c.order[i], 3)), c.statuses[i]) << "step " << i;
    }
    const bool complete = c.statuses.back() == 0;
    EXPECT_EQ(state.settings.macros.count(2), complete ? 1u : 0u);
    if (complete) {
      EXPECT_EQ(state.settings.macros.at(2), stream);
    }
  }
}

TEST(MacroStream, MalformedSequenceAndLengthBytesAreRefused) {
  MouseState state = test::FactoryWiredMouse();
  EXPECT_EQ(Status(state, Frame("08 00 00 05 03 30 28 00 04", 0x5F)), kRejected) << "count 0";
  EXPECT_EQ(Status(state, Frame("08 00 22 05 03 30 28 00 04", 0x5F)), kRejected) << "index not below count";
  EXPECT_EQ(Status(state, Frame("08 00 01 00", 0x00)), kRejected) << "empty";
  EXPECT_EQ(Status(state, Frame("08 00 01 1C 03", 0x03)), kRejected) << "longer than the payload area";
  EXPECT_EQ(Status(state, Frame("08 00 02 05 03 30 28 00 04", 0x5F)), kRejected) << "short packet before the last";
  EXPECT_TRUE(state.settings.macros.empty());
  EXPECT_EQ(Status(state, Frame("08 00 01 05 03 30 28 00 04", 0x5F)), kAccepted);
  EXPECT_EQ(state.settings.macros.at(3), test::Hex("03 30 28 00 04"));
}

}  // namespace
}  // namespace korvane::sim
