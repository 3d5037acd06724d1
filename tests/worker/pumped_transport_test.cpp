#include "worker/pumped_transport.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/report_format.hpp"
#include "sim/socket_client.hpp"
#include "sim/socket_server.hpp"
#include "support/temp_dir.hpp"
#include "support/virtual_mice.hpp"
#include "worker/task_queue.hpp"

namespace korvane {
namespace {

using namespace std::chrono_literals;
using namespace korvane::test;
using Bytes = std::vector<std::uint8_t>;

// Long enough for any thread to get going on a loaded machine; a wait that
// needs it means the awaited thing did not happen.
constexpr auto kPatience = 5s;

// A device-info request (command 0x10) as the host writes it; its checksum,
// over an empty payload, is 0.
Bytes DeviceInfoRequest() {
  Bytes frame(report::kPacketSize, 0);
  frame[report::kCommandByte] = report::kDeviceInfo;
  return frame;
}

// The bus's handles, watched: the timeout of every read and how many real
// handles are open.
class WatchedTransport final : public HidTransport {
 public:
  explicit WatchedTransport(HidTransport& inner) : inner_(inner) {}

  std::vector<HidInterfaceInfo> Enumerate() override { return inner_.Enumerate(); }
  std::optional<HidInterfaceInfo> Probe(const std::string& path) override { return inner_.Probe(path); }
  std::unique_ptr<HidHandle> Open(const std::string& path) override {
    auto handle = inner_.Open(path);
    if (!handle) return nullptr;
    Change([&] { ++open_; });
    return std::make_unique<Handle>(*this, std::move(handle));
  }

  // Waits until a read has started; its timeout, nullopt when none did.
  std::optional<int> FirstReadTimeout() {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, kPatience, [&] { return !timeouts_.empty(); })) return std::nullopt;
    return timeouts_.front();
  }

  // Waits until every real handle is closed; whether they were.
  bool AllClosed() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kPatience, [&] { return open_ == 0; });
  }

 private:
  class Handle final : public HidHandle {
   public:
    Handle(WatchedTransport& owner, std::unique_ptr<HidHandle> inner) : owner_(owner), inner_(std::move(inner)) {}
    ~Handle() override {
      inner_.reset();
      owner_.Change([&] { --owner_.open_; });
    }
    int Write(std::span<const std::uint8_t> report) override { return inner_->Write(report); }
    int Read(std::span<std::uint8_t> buffer, int timeout_ms) override {
      owner_.Change([&] { owner_.timeouts_.push_back(timeout_ms); });
      return inner_->Read(buffer, timeout_ms);
    }
    void InterruptRead() override { inner_->InterruptRead(); }
    std::string ProductString() override { return inner_->ProductString(); }
    std::size_t OutputReportLength() const override { return inner_->OutputReportLength(); }

   private:
    WatchedTransport& owner_;
    std::unique_ptr<HidHandle> inner_;
  };

  template <typename Update>
  void Change(Update update) {
    {
      std::lock_guard lock(mutex_);
      update();
    }
    changed_.notify_all();
  }

  HidTransport& inner_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int open_ = 0;
  std::vector<int> timeouts_;
};

// A handle is pumped with no timeout, so a silent device costs no wake-up
// and only the interrupt can end its pump: closing the handle ends the pump,
// which closes the real handle, and the transport's destructor then has no
// pump to wait for.
TEST(PumpClosing, ClosingAHandleEndsItsPumpAndClosesTheRealHandle) {
  sim::VirtualBus bus;
  const auto mouse = bus.Add(WiredMouse());
  WatchedTransport watched(bus);
  WakeSignal wake;
  PumpedTransport pumps(watched, wake);
  auto handle = pumps.Open(bus.InterfacePath(mouse, sim::VirtualBus::kConfigInterface));
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(watched.FirstReadTimeout(), -1);
  handle.reset();
  const bool closed = watched.AllClosed();
  EXPECT_TRUE(closed);
  if (!closed) bus.Unplug(mouse);  // ends a stuck pump, so the test fails instead of hanging
}

// The in-process bus, or the same bus served on a socket as the application
// reaches a served virtual mouse.
struct Served {
  explicit Served(bool over_socket) {
    mouse = bus.Add(WiredMouse());
    if (!over_socket) return;
    std::string error;
    EXPECT_TRUE(server.Start(socket, &error)) << error;
    client = std::make_unique<sim::SocketTransport>(socket);
  }
  HidTransport& Transport() { return client ? static_cast<HidTransport&>(*client) : bus; }
  std::string ConfigPath() const { return bus.InterfacePath(mouse, sim::VirtualBus::kConfigInterface); }

  TempDir dir;
  std::string socket = (dir / "mouse.sock").string();
  sim::VirtualBus bus;
  sim::VirtualBus::DeviceId mouse = 0;
  sim::SocketServer server{bus};
  std::unique_ptr<sim::SocketTransport> client;
};

class PumpedReads : public ::testing::TestWithParam<bool> {
 protected:
  Served served{GetParam()};
  WakeSignal wake;
  std::unique_ptr<PumpedTransport> pumps = std::make_unique<PumpedTransport>(served.Transport(), wake);
  std::unique_ptr<HidHandle> handle = pumps->Open(served.ConfigPath());

  void TearDown() override {
    handle.reset();
    pumps.reset();
  }

  // Sleeps as the worker does until the handle has input; whether it came.
  bool WaitForInput() {
    return wake.WaitUntil([&] { return PumpedTransport::InputReady(handle.get()); },
                          std::chrono::steady_clock::now() + kPatience);
  }

  std::string ReadHex(int timeout_ms) {
    Bytes buffer(64, 0);
    const int n = handle->Read(buffer, timeout_ms);
    if (n <= 0) return n < 0 ? "gone" : "";
    char text[8];
    std::snprintf(text, sizeof text, "%02X %02X", buffer[0], buffer[1]);
    return text;
  }
};

// Longer than the server's one-second slice: a pump waiting without a
// timeout still hears the first report after the silence.
TEST_P(PumpedReads, AReportAfterALongSilenceWakesTheSleeper) {
  ASSERT_NE(handle, nullptr);
  std::this_thread::sleep_for(1300ms);
  EXPECT_FALSE(PumpedTransport::InputReady(handle.get()));
  ASSERT_TRUE(served.bus.PressDpiButton(served.mouse, 4, 2));
  ASSERT_TRUE(WaitForInput());
  EXPECT_EQ(ReadHex(0), "C2 24");
}

// A Read takes the reading over from the pump and InputReady hands it back;
// reports keep their order across both hand-overs and none is lost while
// nobody reads, and the end of the device reaches whoever reads.
TEST_P(PumpedReads, ReportsKeepTheirOrderWhileTheReadingChangesHands) {
  ASSERT_NE(handle, nullptr);
  ASSERT_TRUE(served.bus.PressDpiButton(served.mouse, 4, 1));
  ASSERT_TRUE(WaitForInput()) << "buffered by the pump";
  ASSERT_EQ(handle->Write(DeviceInfoRequest()), static_cast<int>(report::kPacketSize));
  EXPECT_EQ(ReadHex(1000), "C2 14") << "the pump's report comes before the answer";
  EXPECT_EQ(ReadHex(1000), "10 00") << "read by the caller";

  ASSERT_TRUE(served.bus.PressDpiButton(served.mouse, 5, 2));
  ASSERT_TRUE(served.bus.PressDpiButton(served.mouse, 5, 3));
  ASSERT_TRUE(WaitForInput()) << "handed back, the pump reads what came meanwhile";
  EXPECT_EQ(ReadHex(0), "C2 25");
  EXPECT_EQ(ReadHex(1000), "C2 35");

  ASSERT_TRUE(served.bus.Unplug(served.mouse));
  EXPECT_EQ(ReadHex(5000), "gone");
  EXPECT_TRUE(PumpedTransport::InputReady(handle.get()));
  EXPECT_EQ(ReadHex(0), "gone");
}

// The caller's own endless Read ends on an interrupt, whether it already
// reads the real handle in the pump's place or is yet to start; one
// interrupt ends one Read.
TEST_P(PumpedReads, AnInterruptEndsTheCallersEndlessRead) {
  ASSERT_NE(handle, nullptr);
  auto blocked = std::async(std::launch::async, [&] { return ReadHex(-1); });
  std::this_thread::sleep_for(50ms);
  handle->InterruptRead();
  if (blocked.wait_for(kPatience) != std::future_status::ready) served.bus.Unplug(served.mouse);
  EXPECT_EQ(blocked.get(), "") << "ended by the interrupt, not by the device";
  handle->InterruptRead();
  EXPECT_EQ(ReadHex(-1), "") << "the next read after an interrupt";
  ASSERT_TRUE(served.bus.PressDpiButton(served.mouse, 4, 2));
  EXPECT_EQ(ReadHex(-1), "C2 24") << "the interrupt was used up";
}

INSTANTIATE_TEST_SUITE_P(Transports, PumpedReads, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "Socket" : "Bus"); });

}  // namespace
}  // namespace korvane
