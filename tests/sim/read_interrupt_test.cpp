#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "sim/socket_client.hpp"
#include "sim/socket_server.hpp"
#include "sim/virtual_bus.hpp"
#include "support/sim_test_support.hpp"
#include "support/temp_dir.hpp"

namespace korvane::sim {
namespace {

using namespace std::chrono_literals;
using test::Bytes;
using test::Frame;

// Long enough for any thread to get going on a loaded machine; a wait that
// needs it means the awaited thing did not happen.
constexpr auto kPatience = 5s;

// A wired mouse on the bus, its configuration interface open straight on
// the bus or through a socket client of the bus served.
class InterruptedReads : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    VirtualDevice device;
    device.name = "wired";
    device.vendor_id = 0x3A7C;
    device.product_id = 0x1001;
    device.state = test::FactoryWiredMouse();
    mouse = bus.Add(device);
    const std::string path = bus.InterfacePath(mouse, VirtualBus::kConfigInterface);
    if (GetParam()) {
      std::string error;
      ASSERT_TRUE(server.Start(socket, &error)) << error;
      client = std::make_unique<SocketTransport>(socket);
      handle = client->Open(path);
    } else {
      handle = bus.Open(path);
    }
    ASSERT_NE(handle, nullptr);
  }

  void TearDown() override { handle.reset(); }

  // An endless read on another thread: its result and first two bytes, or
  // "stuck" when it did not end (the device is then unplugged to free it).
  std::string EndlessRead(const std::function<void()>& meanwhile) {
    auto read = std::async(std::launch::async, [&] {
      Bytes buffer(64, 0);
      const int n = handle->Read(buffer, -1);
      return n > 0 ? test::ToHex(Bytes(buffer.begin(), buffer.begin() + 2)) : std::to_string(n);
    });
    meanwhile();
    if (read.wait_for(kPatience) == std::future_status::ready) return read.get();
    bus.Unplug(mouse);
    read.wait();
    return "stuck";
  }

  std::string ReadHex(int timeout_ms) {
    Bytes buffer(64, 0);
    const int n = handle->Read(buffer, timeout_ms);
    return n > 0 ? test::ToHex(Bytes(buffer.begin(), buffer.begin() + 2)) : std::to_string(n);
  }

  korvane::test::TempDir dir;
  std::string socket = (dir / "mouse.sock").string();
  VirtualBus bus;
  VirtualBus::DeviceId mouse = 0;
  SocketServer server{bus};
  std::unique_ptr<SocketTransport> client;
  std::unique_ptr<HidHandle> handle;
};

// One interrupt ends one read, whether it is blocked already or starts
// later, and the handle reads on normally afterwards.
TEST_P(InterruptedReads, AnInterruptEndsOneEndlessReadAndTheHandleReadsOn) {
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
              bus.PressDpiButton(mouse, 4, 2);
            }),
            "C2 24")
      << "the interrupt was used up";
  ASSERT_GT(handle->Write(Frame("11", 0x00)), 0);
  EXPECT_EQ(ReadHex(1000), "11 00");
}

// A read that times out (or is interrupted) over the socket leaves its
// request open on the server; the next read takes its reply, so answers
// never fall one request behind.
TEST_P(InterruptedReads, ReadsThatEndWithoutInputKeepAnswersInStep) {
  EXPECT_EQ(ReadHex(30), "0");
  handle->InterruptRead();
  EXPECT_EQ(ReadHex(1000), "0");
  for (const char* command : {"11", "10", "12"}) {
    ASSERT_GT(handle->Write(Frame(command, 0x00)), 0);
    EXPECT_EQ(ReadHex(1000), std::string(command) + " 00");
    EXPECT_EQ(ReadHex(10), "0");
  }
}

// As hidraw does, a buffer shorter than the report takes its head and the
// rest is dropped; the next report comes whole.
TEST_P(InterruptedReads, AShortBufferTakesTheHeadOfAReport) {
  ASSERT_GT(handle->Write(Frame("11", 0x00)), 0);
  Bytes head(2, 0);
  EXPECT_EQ(handle->Read(head, 1000), 2);
  EXPECT_EQ(test::ToHex(head), "11 00");
  ASSERT_GT(handle->Write(Frame("10", 0x00)), 0);
  EXPECT_EQ(ReadHex(1000), "10 00");
}

INSTANTIATE_TEST_SUITE_P(Handles, InterruptedReads, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "Socket" : "Bus"); });

}  // namespace
}  // namespace korvane::sim
