#include "device/hidraw_handle.hpp"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "support/sim_test_support.hpp"

namespace korvane {
namespace {

using namespace std::chrono_literals;
using sim::test::Bytes;
using sim::test::Hex;
using sim::test::ToHex;

// Long enough for any thread to get going on a loaded machine; a wait that
// needs it means the awaited thing did not happen.
constexpr auto kPatience = 5s;

// A hidraw handle on one end of a packet socket pair: the other end stands
// in for the hidraw node, taking each written report whole and handing out
// one input report per read, as the node does.
class HidrawHandleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int ends[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends), 0);
    node_ = ends[1];
    handle = HidrawHandle::Adopt(ends[0], "Korvane Arc 8K");
    ASSERT_NE(handle, nullptr);
  }

  void TearDown() override {
    handle.reset();
    if (node_ >= 0) ::close(node_);
  }

  // What the node received from the next write.
  std::string NodeReceived() {
    Bytes report(256, 0);
    const ssize_t n = ::recv(node_, report.data(), report.size(), 0);
    report.resize(static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
    return ToHex(report);
  }

  void NodeSends(const std::string& report) {
    const Bytes bytes = Hex(report);
    ASSERT_EQ(::send(node_, bytes.data(), bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bytes.size()));
  }

  void NodeGone() {
    ::close(node_);
    node_ = -1;
  }

  // A read's result and the bytes it read, "0" on timeout or interrupt,
  // "-1" for a gone node.
  std::string ReadHex(int timeout_ms, std::size_t buffer_size = 64) {
    Bytes buffer(buffer_size, 0);
    const int n = handle->Read(buffer, timeout_ms);
    if (n <= 0) return std::to_string(n);
    buffer.resize(static_cast<std::size_t>(n));
    return ToHex(buffer);
  }

  // An endless read on another thread: what it returned, or "stuck" when
  // it did not end (the node is then closed to free it).
  std::string EndlessRead(const std::function<void()>& meanwhile) {
    auto read = std::async(std::launch::async, [&] { return ReadHex(-1); });
    meanwhile();
    if (read.wait_for(kPatience) == std::future_status::ready) return read.get();
    NodeGone();
    read.wait();
    return "stuck";
  }

  std::unique_ptr<HidrawHandle> handle;

 private:
  int node_ = -1;
};

// Reports go out byte for byte as written; input reports come one per read,
// a short buffer taking the head of one; without a report descriptor the
// output report is the configuration interface's 65 bytes.
TEST_F(HidrawHandleTest, WritesAndReadsWholeReports) {
  EXPECT_EQ(handle->OutputReportLength(), 65u);
  EXPECT_EQ(handle->ProductString(), "Korvane Arc 8K");

  Bytes request(65, 0);
  request[1] = 0x02;
  request[3] = 0x01;
  request[4] = 0x01;
  request[5] = 0x08;
  request[32] = 0x08;
  ASSERT_EQ(handle->Write(request), 65);
  EXPECT_EQ(NodeReceived(), ToHex(request));

  NodeSends("02 00 01 00");
  NodeSends("C2 24");
  NodeSends("10 00 00 0B 41 38 30 31");
  EXPECT_EQ(ReadHex(1000), "02 00 01 00");
  EXPECT_EQ(ReadHex(1000), "C2 24");
  EXPECT_EQ(ReadHex(1000, 2), "10 00") << "the head of the report, the rest dropped";
  EXPECT_EQ(ReadHex(20), "0") << "nothing left: the read times out";
}

// One interrupt ends one endless read, whether it is blocked already or
// starts later, and the handle reads on normally afterwards.
TEST_F(HidrawHandleTest, AnInterruptEndsOneEndlessRead) {
  EXPECT_EQ(EndlessRead([&] {
              std::this_thread::sleep_for(50ms);
              handle->InterruptRead();
            }),
            "0")
      << "a blocked read";
  handle->InterruptRead();
  EXPECT_EQ(EndlessRead([] {}), "0") << "the next read after an interrupt";
  EXPECT_EQ(EndlessRead([&] {
              std::this_thread::sleep_for(50ms);
              NodeSends("C2 35");
            }),
            "C2 35")
      << "the interrupt was used up";
}

// The worker writes while the pump's read waits on another thread: the
// report goes out and the answer ends the waiting read.
TEST_F(HidrawHandleTest, AWriteGoesOutWhileAReadWaitsOnAnotherThread) {
  EXPECT_EQ(EndlessRead([&] {
              std::this_thread::sleep_for(50ms);
              ASSERT_EQ(handle->Write(Hex("00 11")), 2);
              EXPECT_EQ(NodeReceived(), "00 11");
              NodeSends("11 00");
            }),
            "11 00");
}

// A node that goes away (the mouse unplugged) ends a waiting read and every
// later read and write with -1.
TEST_F(HidrawHandleTest, AGoneNodeEndsReadsAndWrites) {
  // Writing to a closed socket raises SIGPIPE, which a hidraw node never does.
  const auto previous = std::signal(SIGPIPE, SIG_IGN);
  EXPECT_EQ(EndlessRead([&] {
              std::this_thread::sleep_for(50ms);
              NodeGone();
            }),
            "-1");
  EXPECT_EQ(ReadHex(1000), "-1");
  EXPECT_EQ(handle->Write(Hex("00 11")), -1);
  std::signal(SIGPIPE, previous);
}

}  // namespace
}  // namespace korvane
