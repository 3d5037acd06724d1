#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "device/accepted_interface.hpp"
#include "device/multi_packet_write.hpp"
#include "device/report_decoders.hpp"
#include "support/virtual_mice.hpp"

namespace korvane {
namespace {

using namespace std::chrono_literals;
using namespace korvane::test;
using Clock = std::chrono::steady_clock;

class DeviceManagerTest : public ::testing::Test {
 protected:
  DeviceManagerTest() { RegisterArcModes(manager); }

  // What the worker does on a connection refresh.
  void Scan(int device_type) {
    manager.CloseAll();
    manager.EnumerateDevice();
    manager.SetReady();
    manager.SelectDeviceType(device_type);
  }

  std::vector<DeviceEntry> Listed() {
    std::vector<DeviceEntry> entries;
    manager.ListDevices(entries);
    return entries;
  }

  std::vector<std::uint8_t> LoggedCommands(sim::VirtualBus::DeviceId id) {
    std::vector<std::uint8_t> commands;
    for (const sim::LoggedCommand& entry : bus.State(id).log) commands.push_back(entry.command);
    return commands;
  }

  sim::VirtualBus bus;
  RecordingSleeper sleeper;
  DeviceManager manager{bus, sleeper};
};

// A node with a keyboard collection listed before the configuration one is
// still found by the hot-plug probe, as the enumeration finds it.
TEST(HotplugProbe, LooksAtEveryCollectionOfTheNode) {
  const std::vector<HidInterfaceInfo> listed{
      {.path = "/dev/hidraw4", .usage_page = 0x0001, .usage = 0x0006},
      {.path = "/dev/hidraw4", .usage_page = 0xFF01, .usage = 0x0010},
      {.path = "/dev/hidraw5", .usage_page = 0x000C, .usage = 0x0001},
  };
  const auto found = ProbeAmong(listed, "/dev/hidraw4");
  ASSERT_TRUE(found);
  EXPECT_TRUE(IsAcceptedInterface(*found));
  const auto other = ProbeAmong(listed, "/dev/hidraw5");
  ASSERT_TRUE(other);
  EXPECT_FALSE(IsAcceptedInterface(*other));
  EXPECT_FALSE(ProbeAmong(listed, "/dev/hidraw6"));
}

TEST_F(DeviceManagerTest, ListsTheConfigurationInterfaceOfEachSupportedDevice) {
  const auto wired = bus.Add(WiredMouse("A801"));
  const auto receiver = bus.Add(ReceiverMouse("A802"));
  bus.Add(WiredMouse("A801", 0x7777));  // not in the catalog
  Scan(0);

  const auto entries = Listed();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].index, 0);
  EXPECT_EQ(entries[0].path, bus.InterfacePath(wired, sim::VirtualBus::kConfigInterface));
  EXPECT_EQ(entries[0].product_id, kWiredPid);
  EXPECT_EQ(entries[0].product, "Wired mouse");
  EXPECT_EQ(entries[0].release_number, 0x0102);
  EXPECT_EQ(entries[0].connection_mode, kWired);
  EXPECT_EQ(entries[0].link_state, kOnline);
  EXPECT_EQ(entries[0].device_id, "A801");
  EXPECT_EQ(entries[0].device_type, kArc);
  EXPECT_EQ(entries[0].device_info[0], report::kDeviceInfo);

  EXPECT_EQ(entries[1].index, 1);
  EXPECT_EQ(entries[1].path, bus.InterfacePath(receiver, sim::VirtualBus::kConfigInterface));
  EXPECT_EQ(entries[1].connection_mode, kReceiver);
  EXPECT_EQ(entries[1].device_type, kArcMini);

  int release = 0;
  EXPECT_TRUE(manager.GetReleaseNumber(release, kReceiver));
  EXPECT_EQ(release, 0x0203);
  EXPECT_TRUE(sleeper.pauses.empty());
}

TEST_F(DeviceManagerTest, EmptyListAnswersEveryQueryWithNothing) {
  Scan(kArc);
  std::vector<DeviceEntry> untouched(1);
  EXPECT_EQ(manager.GetConnectionMode(), -1);
  EXPECT_FALSE(manager.ListDevices(untouched));
  EXPECT_FALSE(manager.ListLinkedDevices(untouched));
  EXPECT_EQ(untouched.size(), 1u);
  EXPECT_EQ(manager.CurrentInterface(), nullptr);
  int release = 0;
  EXPECT_FALSE(manager.GetReleaseNumber(release, kWired));
  ReportPacket packet = ReadRequest(report::kReadReportRate);
  EXPECT_FALSE(manager.Exchange(packet, report::kShortPacketSize));
}

TEST_F(DeviceManagerTest, DeviceTypeLookupStopsAtTheFirstModeThatDecides) {
  manager.ClearSupportedModes();
  manager.AddSupportedMode(kVendor, kReceiverPid, "", 301, kReceiver, "A8");
  manager.AddSupportedMode(kVendor, kReceiverPid, "", kArc, kReceiver, "A801");
  manager.AddSupportedMode(kVendor, kWiredPid, "", kArc, kWired, "A801");
  manager.AddSupportedMode(kVendor, kWiredPid, "", kArcMini, kWired, "A802");
  struct Case {
    std::uint16_t pid;
    const char* device_id;
    int expected;
  };
  const Case cases[] = {
      {kReceiverPid, "A801", kReceiverFallbackType},  // the two-character id decides first
      {kWiredPid, "A802", kArcMini},
      {kWiredPid, "a802", 0},
      {kWiredPid, "", 0},
      {0x2000, "A801", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(manager.LookupDeviceType(kVendor, c.pid, c.device_id), c.expected) << c.pid << " " << c.device_id;
  }

  bus.Add(ReceiverMouse("A801"));
  Scan(0);
  ASSERT_EQ(Listed().size(), 1u);
  EXPECT_EQ(Listed()[0].device_type, kReceiverFallbackType);
}

TEST_F(DeviceManagerTest, CommandsGoToTheWiredMouseBeforeTheReceiver) {
  const auto receiver = bus.Add(ReceiverMouse("A801"));
  const auto wired = bus.Add(WiredMouse("A801"));
  Scan(kArc);

  EXPECT_EQ(manager.GetConnectionMode(), kWired);
  std::uint16_t vid = 0, pid = 0;
  ASSERT_TRUE(manager.GetCurrentVidPid(vid, pid));
  EXPECT_EQ(pid, kWiredPid);
  ReportPacket packet = ReadRequest(report::kReadReportRate);
  ASSERT_TRUE(manager.Exchange(packet, report::kShortPacketSize));
  EXPECT_EQ(LoggedCommands(wired).back(), report::kReadReportRate);
  EXPECT_EQ(LoggedCommands(receiver).back(), report::kDeviceInfo);
}

TEST_F(DeviceManagerTest, ReceiverWithoutItsMouseIsNoCurrentInterface) {
  const auto receiver = bus.Add(ReceiverMouse("A801"));
  Scan(kArc);
  ASSERT_TRUE(bus.Unlink(receiver));
  manager.PollReceiverLinks();

  ASSERT_EQ(Listed().size(), 1u);
  EXPECT_EQ(Listed()[0].link_state, kReceiverWithoutMouse);
  EXPECT_EQ(manager.CurrentInterface(), nullptr);
  EXPECT_EQ(manager.GetConnectionMode(), kReceiver);
  std::vector<DeviceEntry> linked;
  EXPECT_TRUE(manager.ListLinkedDevices(linked));
  EXPECT_TRUE(linked.empty());

  const auto start = Clock::now();
  ReportPacket packet = *WritePacket(report::kReportRate, std::vector<std::uint8_t>{3});
  EXPECT_FALSE(manager.Exchange(packet, report::kPacketSize));
  EXPECT_LT(Clock::now() - start, 30ms);
}

TEST_F(DeviceManagerTest, ReceiverPollKeepsLinkReportsWithinTheCap) {
  const auto receiver = bus.Add(ReceiverMouse("A801"));
  Scan(kArc);
  for (int i = 0; i < 300; ++i) {
    ASSERT_TRUE(i % 2 == 0 ? bus.Unlink(receiver) : bus.Link(receiver));
    manager.PollReceiverLinks();
  }
  EXPECT_EQ(manager.PendingReportCount(), 256u) << "the oldest kept reports give way";
  EXPECT_EQ(Listed().at(0).link_state, kOnline);
}

TEST_F(DeviceManagerTest, AReceiverIsLinkedOnlyWhenItSaysItsMouseAnswers) {
  bus.Add(ReceiverMouse("A801", false));
  Scan(kArc);
  ASSERT_EQ(Listed().size(), 1u);
  EXPECT_EQ(Listed()[0].link_state, kReceiverWithoutMouse);
  EXPECT_EQ(manager.CurrentInterface(), nullptr);
  std::vector<DeviceEntry> linked;
  manager.ListLinkedDevices(linked);
  EXPECT_TRUE(linked.empty());
}

TEST_F(DeviceManagerTest, ExchangeWritesAndReturnsTheAnswer) {
  const auto wired = bus.Add(WiredMouse());
  Scan(kArc);

  ReportPacket write = *WritePacket(report::kReportRate, std::vector<std::uint8_t>{4});
  ASSERT_TRUE(manager.Exchange(write, report::kPacketSize));  // the mouse rejects a wrong checksum
  EXPECT_EQ(bus.State(wired).settings.report_rate, 4);

  ReportPacket read = ReadRequest(report::kReadReportRate);
  ASSERT_TRUE(manager.Exchange(read, report::kShortPacketSize));
  const auto rate = DecodeReportRate(read.bytes);
  ASSERT_TRUE(rate);
  EXPECT_EQ(rate->rate_code, 4);
}

TEST_F(DeviceManagerTest, NothingIsExchangedBeforeTheManagerIsReady) {
  const auto wired = bus.Add(WiredMouse());
  DeviceManager fresh(bus, sleeper);
  RegisterArcModes(fresh);
  fresh.EnumerateDevice();
  fresh.SelectDeviceType(kArc);
  const std::size_t logged = bus.State(wired).log.size();
  ReportPacket packet = ReadRequest(report::kReadReportRate);
  EXPECT_FALSE(fresh.Exchange(packet, report::kShortPacketSize));
  ReportBytes out{};
  int type = 0;
  EXPECT_FALSE(fresh.ReadNotification(out, type));
  EXPECT_EQ(bus.State(wired).log.size(), logged);
}

TEST_F(DeviceManagerTest, BusyAnswerIsFollowedByTheAcknowledgement) {
  const auto wired = bus.Add(WiredMouse());
  Scan(kArc);
  bus.AnswerBusy(wired, 1, 40ms);
  const auto start = Clock::now();
  ReportPacket packet = *WritePacket(report::kReportRate, std::vector<std::uint8_t>{2});
  EXPECT_TRUE(manager.Exchange(packet, report::kPacketSize));
  EXPECT_GE(Clock::now() - start, 40ms);
  EXPECT_EQ(packet[report::kAnswerStatus], 0);
}

TEST_F(DeviceManagerTest, UnsolicitedReportBeforeTheAcknowledgementIsKeptInOrder) {
  struct Case {
    sim::VirtualDevice device;
    std::uint8_t unsolicited;
  };
  const Case cases[] = {{WiredMouse(), report::kDpiReport}, {ReceiverMouse(), report::kLinkReport}};
  for (const Case& c : cases) {
    sim::VirtualBus local_bus;
    DeviceManager local(local_bus, sleeper);
    RegisterArcModes(local);
    const auto id = local_bus.Add(c.device);
    local.EnumerateDevice();
    local.SetReady();
    local.SelectDeviceType(kArc);
    local_bus.InterjectBeforeAnswers(id, 2);

    ReportPacket first = *WritePacket(report::kReportRate, std::vector<std::uint8_t>{2});
    ReportPacket second = ReadRequest(report::kReadReportRate);
    EXPECT_TRUE(local.Exchange(first, report::kPacketSize));
    EXPECT_TRUE(local.Exchange(second, report::kShortPacketSize));
    EXPECT_EQ(second[report::kAnswerCommand], report::kReadReportRate);
    ASSERT_EQ(local.PendingReportCount(), 2u);

    for (int i = 0; i < 2; ++i) {
      ReportBytes out{};
      int type = 0;
      EXPECT_TRUE(local.ReadNotification(out, type));
      EXPECT_EQ(out[0], c.unsolicited);
      EXPECT_EQ(type, kArc);
    }
    EXPECT_EQ(local.PendingReportCount(), 0u);
  }
}

TEST_F(DeviceManagerTest, LinkLostDuringAWriteIsNoAcknowledgement) {
  const auto receiver = bus.Add(ReceiverMouse());
  Scan(kArc);
  ASSERT_NE(manager.CurrentInterface(), nullptr);
  // The receiver reports "not linked" (status position 0) and then never
  // answers the write, since its mouse is gone.
  ASSERT_TRUE(bus.Unlink(receiver));
  ReportPacket packet = *WritePacket(report::kReportRate, std::vector<std::uint8_t>{2});
  EXPECT_FALSE(manager.Exchange(packet, report::kPacketSize));

  ReportBytes out{};
  int type = 0;
  ASSERT_TRUE(manager.ReadNotification(out, type));
  const auto link = DecodeLinkReport(out);
  ASSERT_TRUE(link);
  EXPECT_FALSE(link->linked);
}

TEST_F(DeviceManagerTest, DeviceThatVanishesMidExchangeFailsItAtOnce) {
  const auto wired = bus.Add(WiredMouse());
  Scan(kArc);
  bus.DelayAnswers(wired, 300ms);
  std::thread unplug([&] {
    std::this_thread::sleep_for(30ms);
    bus.Unplug(wired);
  });
  const auto start = Clock::now();
  ReportPacket packet = ReadRequest(report::kReadReportRate);
  EXPECT_FALSE(manager.Exchange(packet, report::kShortPacketSize));
  EXPECT_LT(Clock::now() - start, 250ms);
  unplug.join();
}

TEST_F(DeviceManagerTest, MultiPacketWriteSendsNumberedPackets) {
  const auto wired = bus.Add(WiredMouse());
  Scan(kArc);
  struct Case {
    std::size_t size;
    std::vector<std::pair<std::uint8_t, std::uint8_t>> sequence_and_length;
  };
  const Case cases[] = {
      {29, {{0x02, 27}, {0x12, 2}}},
      {81, {{0x03, 27}, {0x13, 27}, {0x23, 27}}},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> payload(c.size);
    for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<std::uint8_t>(i * 7);
    const std::size_t before = bus.State(wired).log.size();
    EXPECT_TRUE(WriteMultiPacket(manager, report::kMacroData, payload));

    const auto log = bus.State(wired).log;
    ASSERT_EQ(log.size() - before, c.sequence_and_length.size());
    std::vector<std::uint8_t> received;
    for (std::size_t i = 0; i < c.sequence_and_length.size(); ++i) {
      const sim::LoggedCommand& entry = log[before + i];
      EXPECT_EQ(entry.command, report::kMacroData);
      EXPECT_EQ(entry.sequence, c.sequence_and_length[i].first);
      EXPECT_EQ(entry.length, c.sequence_and_length[i].second);
      received.insert(received.end(), entry.payload.begin(), entry.payload.end());
    }
    EXPECT_EQ(received, payload);
  }
}

TEST_F(DeviceManagerTest, UnplugDuringMultiPacketWriteFailsTheWrite) {
  const auto wired = bus.Add(WiredMouse());
  Scan(kArc);
  bus.UnplugDuringMultiPacketWrite(wired);
  const auto start = Clock::now();
  EXPECT_FALSE(WriteMultiPacket(manager, report::kMacroData, std::vector<std::uint8_t>(81, 1)));
  EXPECT_LT(Clock::now() - start, 500ms);
}

TEST_F(DeviceManagerTest, ReceiverLinkReportRefreshesTheDeviceIdentity) {
  const auto receiver = bus.Add(ReceiverMouse("A802", false));
  bus.DropCommands(receiver, 2);  // both device-information requests go unanswered
  Scan(kArcMini);
  ASSERT_EQ(Listed().size(), 0u);  // no entry of the selected type yet
  manager.SelectDeviceType(0);
  ASSERT_EQ(Listed().size(), 1u);
  EXPECT_EQ(Listed()[0].device_type, 0);
  EXPECT_TRUE(Listed()[0].device_id.empty());
  EXPECT_EQ(sleeper.pauses, (std::vector<std::chrono::milliseconds>{500ms}));
  manager.SelectDeviceType(kArcMini);

  ASSERT_TRUE(bus.Link(receiver));
  ReportBytes out{};
  int type = 0;
  EXPECT_FALSE(manager.ReadNotification(out, type));  // the receiver branch reports through the buffer
  EXPECT_EQ(out[0], report::kLinkReport);
  EXPECT_EQ(out[1], 1);
  EXPECT_EQ(type, kArcMini);
  ASSERT_EQ(Listed().size(), 1u);
  EXPECT_EQ(Listed()[0].device_id, "A802");
  EXPECT_EQ(Listed()[0].link_state, kOnline);
  EXPECT_TRUE(manager.HasLinkedType(kArcMini));
  EXPECT_NE(manager.CurrentInterface(), nullptr);
}

TEST_F(DeviceManagerTest, QueriesSeeTheOldOrTheNewListNeverAHalfBuiltOne) {
  bus.Add(WiredMouse());
  bus.Add(ReceiverMouse());
  Scan(kArc);
  std::atomic<bool> done = false;
  std::atomic<int> partial = 0;
  std::thread reader([&] {
    while (!done) {
      const std::size_t size = manager.Devices()->size();
      if (size != 0 && size != 2) ++partial;
      const int mode = manager.GetConnectionMode();
      if (mode != -1 && mode != kWired) ++partial;
      manager.HasLinkedType(kArc);
    }
  });
  for (int i = 0; i < 50; ++i) {
    manager.CloseAll();
    manager.EnumerateDevice();
  }
  done = true;
  reader.join();
  EXPECT_EQ(partial, 0);
  EXPECT_EQ(manager.Devices()->size(), 2u);
}

// The virtual bus with every path lengthened beyond 1023 characters.
class LongPathTransport final : public HidTransport {
 public:
  explicit LongPathTransport(HidTransport& inner) : inner_(inner) {}

  std::vector<HidInterfaceInfo> Enumerate() override {
    auto interfaces = inner_.Enumerate();
    for (HidInterfaceInfo& info : interfaces) info.path = prefix_ + info.path;
    return interfaces;
  }
  std::unique_ptr<HidHandle> Open(const std::string& path) override {
    return path.starts_with(prefix_) ? inner_.Open(path.substr(prefix_.size())) : nullptr;
  }
  std::optional<HidInterfaceInfo> Probe(const std::string& path) override {
    return path.starts_with(prefix_) ? inner_.Probe(path.substr(prefix_.size())) : std::nullopt;
  }
  const std::string& Prefix() const { return prefix_; }

 private:
  HidTransport& inner_;
  const std::string prefix_ = "/" + std::string(1500, 'p') + "/";
};

TEST_F(DeviceManagerTest, LongPathsAreHeldWhole) {
  const auto wired = bus.Add(WiredMouse());
  LongPathTransport long_paths(bus);
  DeviceManager local(long_paths, sleeper);
  RegisterArcModes(local);
  local.EnumerateDevice();
  local.SetReady();
  local.SelectDeviceType(kArc);

  const auto devices = local.Devices();
  ASSERT_EQ(devices->size(), 1u);
  EXPECT_EQ((*devices)[0].path, long_paths.Prefix() + bus.InterfacePath(wired, sim::VirtualBus::kConfigInterface));
  ReportPacket packet = ReadRequest(report::kReadReportRate);
  EXPECT_TRUE(local.Exchange(packet, report::kShortPacketSize));
}

// The virtual bus with every interface claiming an output report of the
// given length; the bytes of every report written are kept.
class SizedReportTransport final : public HidTransport {
 public:
  SizedReportTransport(HidTransport& inner, std::size_t length) : inner_(inner), length_(length) {}

  std::vector<HidInterfaceInfo> Enumerate() override { return inner_.Enumerate(); }
  std::optional<HidInterfaceInfo> Probe(const std::string& path) override { return inner_.Probe(path); }
  std::unique_ptr<HidHandle> Open(const std::string& path) override {
    auto handle = inner_.Open(path);
    return handle ? std::make_unique<Handle>(*this, std::move(handle)) : nullptr;
  }

  std::vector<std::vector<std::uint8_t>> written;

 private:
  class Handle final : public HidHandle {
   public:
    Handle(SizedReportTransport& owner, std::unique_ptr<HidHandle> inner) : owner_(owner), inner_(std::move(inner)) {}
    int Write(std::span<const std::uint8_t> report) override {
      owner_.written.emplace_back(report.begin(), report.end());
      return inner_->Write(report);
    }
    int Read(std::span<std::uint8_t> buffer, int timeout_ms) override { return inner_->Read(buffer, timeout_ms); }
    void InterruptRead() override { inner_->InterruptRead(); }
    std::string ProductString() override { return inner_->ProductString(); }
    std::size_t OutputReportLength() const override { return owner_.length_; }

   private:
    SizedReportTransport& owner_;
    std::unique_ptr<HidHandle> inner_;
  };

  HidTransport& inner_;
  const std::size_t length_;
};

// Every command, 33 or 65 bytes of its own, goes out as the interface's full
// output report with zeros after the command's bytes: 65 bytes on the
// shipped models, as long as the interface says elsewhere.
TEST_F(DeviceManagerTest, CommandsArePaddedToTheInterfacesOutputReport) {
  const auto wired = bus.Add(WiredMouse());
  for (const std::size_t length : {std::size_t{65}, std::size_t{96}}) {
    SCOPED_TRACE(length);
    SizedReportTransport sized(bus, length);
    DeviceManager local(sized, sleeper);
    RegisterArcModes(local);
    local.EnumerateDevice();
    local.SetReady();
    local.SelectDeviceType(kArc);
    ReportPacket read = ReadRequest(report::kReadReportRate);
    ASSERT_TRUE(local.Exchange(read, report::kShortPacketSize));
    ReportPacket write = *WritePacket(report::kReportRate, std::vector<std::uint8_t>{8});
    ASSERT_TRUE(local.Exchange(write, report::kPacketSize));
    EXPECT_EQ(bus.State(wired).settings.report_rate, 8);

    ASSERT_EQ(sized.written.size(), 3u) << "device information, read, write";
    for (const std::vector<std::uint8_t>& report : sized.written) {
      ASSERT_EQ(report.size(), length);
      EXPECT_TRUE(std::all_of(report.begin() + 33, report.end(), [](std::uint8_t b) { return b == 0; }));
    }
    EXPECT_EQ(sized.written[2][1], 0x02);
    EXPECT_EQ(sized.written[2][5], 0x08);
    EXPECT_EQ(sized.written[2][32], 0x08) << "checksum";
  }
}

TEST(AcceptedInterfaceTest, OnlyTheTwoConfigurationCollectionsPass) {
  struct Case {
    std::uint16_t usage_page;
    std::uint16_t usage;
    bool accepted;
  };
  const Case cases[] = {
      {0x0001, 0x0000, true},  {0xFF01, 0x0010, true},  {0x0001, 0x0002, false}, {0x0001, 0x0006, false},
      {0xFF01, 0x0000, false}, {0x0001, 0x0010, false}, {0xFFEF, 0x0000, false},
  };
  for (const Case& c : cases) {
    HidInterfaceInfo info;
    info.usage_page = c.usage_page;
    info.usage = c.usage;
    EXPECT_EQ(IsAcceptedInterface(info), c.accepted) << std::hex << c.usage_page << "/" << c.usage;
  }
}

TEST_F(DeviceManagerTest, ProbeAndUpdateInterface) {
  const auto wired = bus.Add(WiredMouse());
  EXPECT_TRUE(ProbeHidInterface(bus, bus.InterfacePath(wired, sim::VirtualBus::kConfigInterface)));
  EXPECT_FALSE(ProbeHidInterface(bus, bus.InterfacePath(wired, 0)));
  EXPECT_FALSE(ProbeHidInterface(bus, "virtual/99/VID_3A7C&PID_1001&MI_02"));

  std::array<std::uint8_t, 64> report{0x05, 0x02};  // an update report the loader takes
  EXPECT_FALSE(manager.UpdateExchange(report));
  EXPECT_EQ(manager.OpenUpdateInterface(kVendor, 0x4444), nullptr);
  ASSERT_NE(manager.OpenUpdateInterface(kVendor, kWiredPid), nullptr);
  EXPECT_TRUE(manager.UpdateExchange(report));
}

}  // namespace
}  // namespace korvane
