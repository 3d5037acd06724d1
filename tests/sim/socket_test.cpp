#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <future>
#include <nlohmann/json.hpp>
#include <thread>

#include "sim/socket_client.hpp"
#include "sim/socket_protocol.hpp"
#include "sim/socket_server.hpp"
#include "sim/virtual_bus.hpp"
#include "support/sim_test_support.hpp"
#include "support/temp_dir.hpp"

namespace korvane::sim {
namespace {

using namespace std::chrono_literals;
using test::Bytes;
using test::Frame;
using Clock = std::chrono::steady_clock;

VirtualDevice Device(bool receiver) {
  VirtualDevice d;
  d.name = receiver ? "receiver" : "wired";
  d.product = receiver ? "Korvane Arc 8K Receiver" : "Korvane Arc 8K";
  d.vendor_id = 0x3A7C;
  d.product_id = receiver ? 0x1100 : 0x1001;
  d.state = receiver ? test::FactoryReceiver(true) : test::FactoryWiredMouse();
  return d;
}

std::string ReadHex(HidHandle& handle, int timeout_ms, std::size_t shown = 4) {
  Bytes buffer(65, 0);
  const int n = handle.Read(buffer, timeout_ms);
  if (n <= 0) return n < 0 ? "gone" : "";
  return test::ToHex(Bytes(buffer.begin(), buffer.begin() + std::min<std::size_t>(shown, n)));
}

// Connects, sends the bytes as they are and hangs up.
void RawSend(const std::string& path, const Bytes& bytes) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
  ASSERT_EQ(::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bytes.size()));
  ::close(fd);
}

struct SocketFixture : ::testing::Test {
  korvane::test::TempDir dir;
  std::string socket = (dir / "mouse.sock").string();
  VirtualBus bus;
  VirtualBus::DeviceId wired = bus.Add(Device(false));
  VirtualBus::DeviceId receiver = bus.Add(Device(true));
  SocketServer server{bus};

  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server.Start(socket, &error)) << error;
  }
  std::string ConfigPath(VirtualBus::DeviceId id) { return bus.InterfacePath(id, VirtualBus::kConfigInterface); }
};

TEST_F(SocketFixture, ClientSeesTheBusAsTheBusItself) {
  SocketTransport client(socket);
  const auto remote = client.Enumerate();
  const auto local = bus.Enumerate();
  ASSERT_EQ(remote.size(), local.size());
  for (std::size_t i = 0; i < local.size(); ++i) {
    EXPECT_EQ(remote[i].path, local[i].path);
    EXPECT_EQ(remote[i].product_id, local[i].product_id);
    EXPECT_EQ(remote[i].usage_page, local[i].usage_page);
    EXPECT_EQ(remote[i].usage, local[i].usage);
    EXPECT_EQ(remote[i].interface_number, local[i].interface_number);
  }
  ASSERT_TRUE(client.Probe(ConfigPath(wired)).has_value());
  EXPECT_EQ(client.Probe(ConfigPath(wired))->usage_page, 0xFF01);
  EXPECT_FALSE(client.Probe("virtual/77/none").has_value());
  EXPECT_EQ(client.Open("virtual/77/none"), nullptr);

  auto handle = client.Open(ConfigPath(wired));
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(handle->ProductString(), "Korvane Arc 8K");
  EXPECT_EQ(handle->Write(Frame("02 00 01 01 04", 0x04, 65)), 65);
  EXPECT_EQ(ReadHex(*handle, 200), "02 00 01 00");
  handle->Write(Frame("10", 0x00));
  EXPECT_EQ(ReadHex(*handle, 200, 8), "10 00 00 0B 41 38 30 31");
  const auto before = Clock::now();
  EXPECT_EQ(ReadHex(*handle, 50), "");
  EXPECT_GE(Clock::now() - before, 50ms);
  EXPECT_EQ(bus.State(wired).settings.report_rate, 4);
}

TEST_F(SocketFixture, ForwardsHotplugEventsAndEndsHandlesOnUnplug) {
  SocketTransport client(socket);
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<HotplugEvent> events;
  client.SetListener([&](const HotplugEvent& e) {
    std::lock_guard lock(mutex);
    events.push_back(e);
    arrived.notify_all();
  });
  auto handle = client.Open(ConfigPath(receiver));
  ASSERT_NE(handle, nullptr);
  ASSERT_TRUE(bus.Unplug(receiver));
  std::unique_lock lock(mutex);
  ASSERT_TRUE(arrived.wait_for(lock, 2s, [&] { return events.size() == 4; }));
  EXPECT_FALSE(events[2].arrival);
  EXPECT_EQ(events[2].path, ConfigPath(receiver));
  lock.unlock();
  EXPECT_EQ(ReadHex(*handle, 100), "gone");
  EXPECT_EQ(handle->Write(Frame("11", 0x00)), -1);
}

TEST_F(SocketFixture, ControlCommandsReachTheDevices) {
  SocketTransport client(socket);
  auto handle = client.Open(ConfigPath(receiver));
  std::string error;
  const auto unlinked = SendControl(socket, "", {"unlink"}, &error);
  ASSERT_TRUE(unlinked.has_value()) << error;
  EXPECT_TRUE(unlinked->ok);
  EXPECT_EQ(ReadHex(*handle, 200), "C0 00 5A 01");
  const auto state = SendControl(socket, "", {"state"}, &error);
  ASSERT_TRUE(state && state->ok);
  const auto json = nlohmann::json::parse(state->text);
  EXPECT_FALSE(json["receiver"]["linked"].get<bool>());
  EXPECT_TRUE(json["wired"]["plugged"].get<bool>());
  const auto bad = SendControl(socket, "", {"dpi-button", "9", "0"}, &error);
  ASSERT_TRUE(bad.has_value());
  EXPECT_FALSE(bad->ok);
  ASSERT_TRUE(SendControl(socket, "wired", {"battery", "7", "8"}, &error)->ok);
  EXPECT_EQ(bus.State(wired).battery_a, 7);
  EXPECT_EQ(bus.State(receiver).battery_a, 90);
  const auto one = nlohmann::json::parse(SendControl(socket, "wired", {"state"}, &error)->text);
  EXPECT_EQ(one["battery"], nlohmann::json::array({7, 8}));
  EXPECT_FALSE(SendControl(socket, "mouse", {"state"}, &error)->ok);
}

TEST_F(SocketFixture, SeveralClientsAtOnceEachHandleGetsEveryInputReport) {
  SocketTransport first(socket);
  SocketTransport second(socket);
  auto a = first.Open(ConfigPath(wired));
  auto b = second.Open(ConfigPath(wired));
  std::thread writer([&] { a->Write(Frame("11", 0x00)); });
  writer.join();
  EXPECT_EQ(ReadHex(*b, 200), "11 00 00 00");
  EXPECT_EQ(ReadHex(*a, 200), "11 00 00 00");
}

TEST_F(SocketFixture, SurvivesClientsThatLeaveMidRequestOrSendGarbage) {
  RawSend(socket, {0x40, 0x00, 0x00, 0x00, wire::kWrite, 0x01});  // announces 64 bytes, sends 2
  RawSend(socket, {0x00, 0x00});                                  // half a length
  {
    auto open = wire::Connection::Connect(socket);
    ASSERT_TRUE(open->Send(wire::kOpen, wire::Writer().Text(ConfigPath(wired)).Take()));
    ASSERT_TRUE(open->Send(wire::kRead, wire::Writer().U32(64).I32(500).Take()));
    // Closed with a read pending on the server.
  }
  {
    auto garbage = wire::Connection::Connect(socket);
    garbage->Send(0x7F, Bytes{1, 2, 3});
    EXPECT_FALSE(garbage->Receive().has_value()) << "an unknown request ends that connection";
  }
  {
    auto truncated = wire::Connection::Connect(socket);
    truncated->Send(wire::kProbe, Bytes{0xFF, 0xFF, 0xFF, 0x7F});  // a path longer than the frame
    EXPECT_FALSE(truncated->Receive().has_value());
  }
  SocketTransport client(socket);
  auto handle = client.Open(ConfigPath(wired));
  ASSERT_NE(handle, nullptr);
  handle->Write(Frame("11", 0x00));
  EXPECT_EQ(ReadHex(*handle, 200), "11 00 00 00");
}

TEST_F(SocketFixture, LongReadsSpanSeveralServerSlicesAndStopEndsThem) {
  SocketTransport client(socket);
  auto handle = client.Open(ConfigPath(receiver));
  std::thread later([&] {
    std::this_thread::sleep_for(1200ms);
    bus.Unlink(receiver);
  });
  EXPECT_EQ(ReadHex(*handle, -1), "C0 00 5A 01") << "an endless read outlasts one slice";
  later.join();
  std::thread stop([&] {
    std::this_thread::sleep_for(50ms);
    server.Stop();
  });
  EXPECT_EQ(ReadHex(*handle, 3000), "gone");
  stop.join();
  EXPECT_FALSE(std::filesystem::exists(socket));
  EXPECT_TRUE(client.Enumerate().empty());
}

TEST_F(SocketFixture, StartRefusesALiveSocketAndReplacesAStaleOne) {
  VirtualBus other;
  SocketServer second(other);
  std::string error;
  EXPECT_FALSE(second.Start(socket, &error));
  EXPECT_NE(error.find("served already"), std::string::npos);
  server.Stop();
  korvane::test::TempDir spare;
  const std::string stale = (spare / "stale.sock").string();
  spare.Write("stale.sock", "");
  EXPECT_TRUE(second.Start(stale, &error)) << error;
  EXPECT_FALSE(second.Start((spare / std::string(200, 'x')).string(), &error));
}

TEST(SocketClient, NoServerMeansNoDevices) {
  korvane::test::TempDir dir;
  const std::string socket = (dir / "absent.sock").string();
  SocketTransport client(socket);
  EXPECT_TRUE(client.Enumerate().empty());
  EXPECT_EQ(client.Open("virtual/1/VID_3A7C&PID_1001&MI_02"), nullptr);
  std::string error;
  EXPECT_FALSE(SendControl(socket, "", {"state"}, &error).has_value());
  EXPECT_NE(error.find("cannot connect"), std::string::npos);
}

// A server that takes connections but never answers (a stopped virtual
// mouse): every call gives up instead of waiting for ever.
TEST(SocketClient, AServerThatNeverAnswersEndsEveryCall) {
  korvane::test::TempDir dir;
  const std::string socket = (dir / "stopped.sock").string();
  const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 8), 0);

  auto calls = std::async(std::launch::async, [&] {
    SocketTransport client(socket);
    std::string error;
    return client.Enumerate().empty() && !client.Probe("virtual/1/VID_3A7C&PID_1001&MI_02") &&
           !SendControl(socket, "", {"state"}, &error);
  });
  // Far beyond the reply timeout of each call: only a hang gets here.
  ASSERT_EQ(calls.wait_for(60s), std::future_status::ready) << "a call waits for ever";
  EXPECT_TRUE(calls.get());
  ::close(listener);
}

}  // namespace
}  // namespace korvane::sim
