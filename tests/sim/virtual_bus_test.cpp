#include "sim/virtual_bus.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "sim/firmware.hpp"
#include "support/sim_test_support.hpp"

namespace korvane::sim {
namespace {

using namespace std::chrono_literals;
using test::Bytes;
using test::Frame;
using test::ToHex;
using Clock = std::chrono::steady_clock;

VirtualDevice Wired() {
  VirtualDevice d;
  d.name = "wired";
  d.product = "Korvane Arc 8K";
  d.vendor_id = 0x3A7C;
  d.product_id = 0x1001;
  d.release_number = 0x0105;
  d.state = test::FactoryWiredMouse();
  return d;
}

VirtualDevice Receiver(bool linked = true) {
  VirtualDevice d = Wired();
  d.name = "receiver";
  d.product_id = 0x1100;
  d.state = test::FactoryReceiver(linked);
  return d;
}

// Reads one report; "" on timeout, "gone" when the handle reports an error.
std::string ReadHex(HidHandle& handle, int timeout_ms, std::size_t shown = 4) {
  Bytes buffer(65, 0);
  const int n = handle.Read(buffer, timeout_ms);
  if (n < 0) return "gone";
  if (n == 0) return "";
  return ToHex(Bytes(buffer.begin(), buffer.begin() + std::min<std::size_t>(shown, static_cast<std::size_t>(n))));
}

struct BusFixture : ::testing::Test {
  VirtualBus bus;
  std::vector<HotplugEvent> events;
  std::mutex events_mutex;

  void SetUp() override {
    bus.SetListener([this](const HotplugEvent& e) {
      std::lock_guard lock(events_mutex);
      events.push_back(e);
    });
  }
  std::unique_ptr<HidHandle> OpenConfig(VirtualBus::DeviceId id) {
    return bus.Open(bus.InterfacePath(id, VirtualBus::kConfigInterface));
  }
};

TEST_F(BusFixture, PresentsFourInterfacesWithTheirUsages) {
  const auto id = bus.Add(Wired());
  const auto list = bus.Enumerate();
  ASSERT_EQ(list.size(), 4u);
  const std::vector<std::tuple<int, int, int>> expected{
      {0, 0x0001, 0x0006}, {1, 0x0001, 0x0002}, {2, 0xFF01, 0x0010}, {3, 0xFFEF, 0x0000}};
  for (std::size_t i = 0; i < list.size(); ++i) {
    const auto& [number, page, usage] = expected[i];
    EXPECT_EQ(list[i].interface_number, number);
    EXPECT_EQ(list[i].usage_page, page);
    EXPECT_EQ(list[i].usage, usage);
    EXPECT_EQ(list[i].vendor_id, 0x3A7C);
    EXPECT_EQ(list[i].product_id, 0x1001);
    EXPECT_EQ(list[i].release_number, 0x0105);
    EXPECT_EQ(list[i].path, bus.InterfacePath(id, number));
  }
  EXPECT_NE(list[2].path.find("VID_3A7C&PID_1001&MI_02"), std::string::npos);
  ASSERT_TRUE(bus.Probe(list[2].path).has_value());
  EXPECT_EQ(bus.Probe(list[2].path)->usage_page, 0xFF01);
  EXPECT_FALSE(bus.Probe("virtual/9/VID_3A7C&PID_1001&MI_02").has_value());
  EXPECT_EQ(bus.Open(list[2].path)->ProductString(), "Korvane Arc 8K");
}

TEST_F(BusFixture, PlugAndUnplugEmitEventsForEveryInterface) {
  const auto id = bus.Add(Wired());
  ASSERT_TRUE(bus.Unplug(id));
  EXPECT_FALSE(bus.Unplug(id));
  EXPECT_TRUE(bus.Enumerate().empty());
  EXPECT_EQ(bus.Open(bus.InterfacePath(id, 2)), nullptr);
  ASSERT_TRUE(bus.Plug(id));
  EXPECT_FALSE(bus.Plug(id));
  ASSERT_EQ(events.size(), 12u);
  for (std::size_t i = 0; i < 12; ++i) {
    EXPECT_EQ(events[i].arrival, i < 4 || i >= 8) << i;
    EXPECT_EQ(events[i].path, bus.InterfacePath(id, static_cast<int>(i % 4)));
  }
}

TEST_F(BusFixture, AnswersCommandsOnTheConfigurationInterface) {
  const auto id = bus.Add(Wired());
  auto handle = OpenConfig(id);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(handle->Write(Frame("02 00 01 01 08", 0x08, 65)), 65);
  EXPECT_EQ(ReadHex(*handle, 100), "02 00 01 00");
  EXPECT_EQ(handle->Write(Frame("10", 0x00)), 65);
  EXPECT_EQ(ReadHex(*handle, 100, 8), "10 00 00 0B 41 38 30 31");
  EXPECT_EQ(handle->Write(Frame("02 00 01 01 02", 0x02, report::kShortPacketSize)), 33);
  EXPECT_EQ(ReadHex(*handle, 100), "02 04 00 00") << "a report shorter than the full output report is refused";
  EXPECT_EQ(bus.State(id).settings.report_rate, 8);
  const auto before = Clock::now();
  EXPECT_EQ(ReadHex(*handle, 30), "");
  EXPECT_GE(Clock::now() - before, 30ms);
  EXPECT_EQ(bus.State(id).settings.report_rate, 8);

  EXPECT_EQ(handle->Write(test::Hex("01 02")), -1) << "no output report with id 1";
  EXPECT_EQ(handle->Write(Bytes{}), -1);
  auto keyboard = bus.Open(bus.InterfacePath(id, 0));
  EXPECT_EQ(keyboard->Write(Frame("10", 0x00)), -1);
  EXPECT_EQ(ReadHex(*keyboard, 10), "");
}

TEST_F(BusFixture, InputReportsReachEveryOpenHandleOfTheInterface) {
  const auto id = bus.Add(Wired());
  auto worker = OpenConfig(id);
  auto probe = OpenConfig(id);
  worker->Write(Frame("11", 0x00));
  EXPECT_EQ(ReadHex(*worker, 100), "11 00 00 00");
  EXPECT_EQ(ReadHex(*probe, 100), "11 00 00 00");
  probe.reset();
  worker->Write(Frame("11", 0x00));
  EXPECT_EQ(ReadHex(*worker, 100), "11 00 00 00");
}

TEST_F(BusFixture, UnplugEndsOpenHandlesAndKeepsTheSettings) {
  const auto id = bus.Add(Wired());
  auto handle = OpenConfig(id);
  handle->Write(Frame("02 00 01 01 04", 0x04));
  std::thread unplug([&] {
    std::this_thread::sleep_for(30ms);
    bus.Unplug(id);
  });
  EXPECT_EQ(ReadHex(*handle, 100), "02 00 01 00");
  const auto before = Clock::now();
  EXPECT_EQ(ReadHex(*handle, 2000), "gone") << "a blocked read ends when the device goes";
  EXPECT_LT(Clock::now() - before, 1000ms);
  unplug.join();
  EXPECT_EQ(handle->Write(Frame("12", 0x00)), -1);
  EXPECT_EQ(handle->ProductString(), "");
  bus.Plug(id);
  EXPECT_EQ(handle->Write(Frame("12", 0x00)), -1) << "a handle from before the unplug stays dead";
  auto again = OpenConfig(id);
  again->Write(Frame("12", 0x00));
  EXPECT_EQ(ReadHex(*again, 100, 5), "12 00 00 01 04");
}

TEST_F(BusFixture, ReceiverLinkReportsAndBattery) {
  const auto id = bus.Add(Receiver());
  auto handle = OpenConfig(id);
  EXPECT_FALSE(bus.Link(id)) << "already linked";
  ASSERT_TRUE(bus.Unlink(id));
  EXPECT_EQ(ReadHex(*handle, 100), "C0 00 5A 01");
  handle->Write(Frame("12", 0x00));
  EXPECT_EQ(ReadHex(*handle, 50), "") << "no mouse to answer";
  handle->Write(Frame("10", 0x00));
  EXPECT_EQ(ReadHex(*handle, 100, 15), "10 00 00 0B 41 38 30 31 00 00 96 40 01 5A 00");
  EXPECT_FALSE(bus.PressDpiButton(id, 3, 1)) << "the mouse is away";
  ASSERT_TRUE(bus.Link(id));
  EXPECT_EQ(ReadHex(*handle, 100), "C0 01 5A 01");
  ASSERT_TRUE(bus.SetBattery(id, 40, 2));
  EXPECT_EQ(ReadHex(*handle, 100), "C0 01 28 02");
  EXPECT_FALSE(bus.Link(bus.Add(Wired()))) << "a wired mouse has no link";
}

TEST_F(BusFixture, DpiButtonSendsADpiReport) {
  const auto id = bus.Add(Wired());
  auto handle = OpenConfig(id);
  ASSERT_TRUE(bus.PressDpiButton(id, 4, 3));
  EXPECT_EQ(ReadHex(*handle, 100, 2), "C2 34");
  EXPECT_EQ(bus.State(id).settings.dpi_count, 4);
  EXPECT_EQ(bus.State(id).settings.dpi_index, 3);
  EXPECT_FALSE(bus.PressDpiButton(id, 0, 0));
  EXPECT_FALSE(bus.PressDpiButton(id, 7, 0));
  EXPECT_FALSE(bus.PressDpiButton(id, 3, 3));
  EXPECT_FALSE(bus.SetBattery(99, 1, 1));
}

TEST_F(BusFixture, BusyFaultAnswersStatusOneThenZeroAfterTheDelay) {
  const auto id = bus.Add(Wired());
  auto handle = OpenConfig(id);
  bus.AnswerBusy(id, 2, 80ms);
  for (int i = 0; i < 2; ++i) {
    const auto before = Clock::now();
    handle->Write(Frame("02 00 01 01 02", 0x02));
    EXPECT_EQ(ReadHex(*handle, 50), "02 01 00 00");
    EXPECT_EQ(ReadHex(*handle, 10), "");
    EXPECT_EQ(ReadHex(*handle, 500), "02 00 01 00");
    EXPECT_GE(Clock::now() - before, 80ms);
  }
  handle->Write(Frame("12", 0x00));
  EXPECT_EQ(ReadHex(*handle, 30, 5), "12 00 00 01 02");
}

TEST_F(BusFixture, DropFaultLogsButNeitherAppliesNorAnswers) {
  const auto id = bus.Add(Wired());
  auto handle = OpenConfig(id);
  bus.DropCommands(id, 1);
  EXPECT_EQ(handle->Write(Frame("02 00 01 01 08", 0x08)), 65);
  EXPECT_EQ(ReadHex(*handle, 60), "");
  const MouseState state = bus.State(id);
  EXPECT_EQ(state.settings.report_rate, 1);
  ASSERT_EQ(state.log.size(), 1u);
  EXPECT_EQ(state.log[0].command, 0x02);
  handle->Write(Frame("02 00 01 01 08", 0x08));
  EXPECT_EQ(ReadHex(*handle, 100), "02 00 01 00");
}

TEST_F(BusFixture, DelayFaultHoldsEveryAnswerBack) {
  const auto id = bus.Add(Wired());
  auto handle = OpenConfig(id);
  bus.DelayAnswers(id, 120ms);
  for (int i = 0; i < 2; ++i) {
    handle->Write(Frame("11", 0x00));
    EXPECT_EQ(ReadHex(*handle, 40), "");
    EXPECT_EQ(ReadHex(*handle, 500), "11 00 00 00");
  }
  bus.DelayAnswers(id, 0ms);
  handle->Write(Frame("11", 0x00));
  EXPECT_EQ(ReadHex(*handle, 20), "11 00 00 00");
}

TEST_F(BusFixture, UnplugInTheMiddleOfAMultiPacketWrite) {
  const auto id = bus.Add(Wired());
  auto handle = OpenConfig(id);
  bus.UnplugDuringMultiPacketWrite(id);
  handle->Write(Frame("08 00 01 05 03 30 28 00 04", 0x5F));
  EXPECT_EQ(ReadHex(*handle, 100), "08 00 01 00") << "a single packet is not a multi-packet write";
  Bytes first = test::Hex("08 00 02 1B 03");
  first.resize(4 + 27, 0x11);
  handle->Write(Frame(first, 0xBD));
  EXPECT_EQ(ReadHex(*handle, 100), "08 00 02 00");
  EXPECT_EQ(handle->Write(Frame("08 00 12 02 11 11", 0x22)), -1);
  const MouseState state = bus.State(id);
  EXPECT_FALSE(state.plugged);
  EXPECT_FALSE(state.macro.active);
  EXPECT_EQ(state.settings.macros.size(), 1u);
  EXPECT_FALSE(events.back().arrival);
  bus.Plug(id);
  auto again = OpenConfig(id);
  again->Write(Frame(first, 0xBD));
  again->Write(Frame("08 00 12 02 11 11", 0x22));
  EXPECT_EQ(ReadHex(*again, 100), "08 00 02 00");
  EXPECT_EQ(ReadHex(*again, 100), "08 00 12 00") << "the fault fires once";
}

TEST_F(BusFixture, InterjectFaultSendsAnUnsolicitedReportBeforeTheAnswer) {
  const auto wired = bus.Add(Wired());
  const auto receiver = bus.Add(Receiver());
  for (const auto& [id, unsolicited] : {std::pair{wired, "C2 16"}, std::pair{receiver, "C0 01"}}) {
    auto handle = OpenConfig(id);
    bus.InterjectBeforeAnswers(id, 1);
    handle->Write(Frame("11", 0x00));
    EXPECT_EQ(ReadHex(*handle, 100, 2), unsolicited);
    EXPECT_EQ(ReadHex(*handle, 100), "11 00 00 00");
    handle->Write(Frame("11", 0x00));
    EXPECT_EQ(ReadHex(*handle, 100), "11 00 00 00");
  }
}

TEST_F(BusFixture, UpdateInterfaceFeedsTheLoader) {
  const auto id = bus.Add(Wired());
  auto update = bus.Open(bus.InterfacePath(id, VirtualBus::kUpdateInterface));
  Bytes start(64, 0xFF);
  start[0] = 0x05, start[1] = 0x02, start[2] = 0x02, start[3] = 0x00, start[4] = 0x01;
  EXPECT_EQ(update->Write(start), 64);
  EXPECT_TRUE(bus.State(id).update.started);
  start[0] = 0x00;
  EXPECT_EQ(update->Write(start), -1);
}

TEST_F(BusFixture, ObserverSeesTheStateAfterEveryCommand) {
  const auto id = bus.Add(Wired());
  std::vector<std::size_t> log_sizes;
  bus.SetStateObserver([&](VirtualBus::DeviceId, const MouseState& s) { log_sizes.push_back(s.log.size()); });
  auto handle = OpenConfig(id);
  handle->Write(Frame("11", 0x00));
  handle->Write(Frame("12", 0x00));
  bus.Unplug(id);
  EXPECT_EQ(log_sizes, (std::vector<std::size_t>{1, 2, 2}));
}

}  // namespace
}  // namespace korvane::sim
