#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <future>

#include "store/light_table.hpp"
#include "support/worker_fixture.hpp"
#include "worker/hotplug.hpp"

namespace korvane::test {
namespace {

using sim::Preset;

int CountOf(const std::vector<std::uint8_t>& commands, std::uint8_t command) {
  return static_cast<int>(std::count(commands.begin(), commands.end(), command));
}

// A report-rate write built from the database, as the feature code sends it.
DeviceWorker::Handler RateWriter(DeviceWorker& worker, ConfigStore& store, ConnectionState& state) {
  return [&worker, &store, &state] {
    std::string rate;
    GetConfigValue(store, state.current_profile, ConfigKey::kReportRate, rate);
    ReportPacket packet =
        *WritePacket(report::kReportRate, std::array<std::uint8_t, 1>{static_cast<std::uint8_t>(std::stoi(rate))});
    return worker.WriteCommand(packet, report::kPacketSize);
  };
}

// A receiver whose mouse is of no model the catalog knows is not a mouse
// of the current type: the status says no mouse, nothing counts as linked,
// and its reports are still listened to.
TEST_F(WorkerFixture, OnlyADeviceOfAnotherTypeShowsNoMouse) {
  Plug(Preset::kReceiver, [](sim::VirtualDevice& d) { d.state.identity.dev_id = {'Z', 'Z', 'Z', 'Z'}; });
  queue.Push(kTaskStartupScan);
  worker.Start();
  ASSERT_TRUE(WaitForTask(kTaskStartupScan));
  EXPECT_EQ(state.StatusText(), 50);
  EXPECT_FALSE(state.mouse_linked);
  EXPECT_TRUE(state.notify_polling);
}

TEST_F(WorkerFixture, StartupScanReadsTheMouseBackBeforeTheSoftwareCheck) {
  const auto ids = Plug(Preset::kWired, [](sim::VirtualDevice& d) {
    d.state.settings.report_rate = 4;
    d.state.settings.sleep = 60;
  });
  std::vector<std::uint8_t> seen_by_check;
  worker.Register(kTaskCheckSoftware, [&] {
    seen_by_check = Commands(ids[0]);
    return true;
  });
  queue.Push(kTaskStartupScan);
  queue.Push(kTaskCheckSoftware);
  worker.Start();
  ASSERT_TRUE(WaitForTask(kTaskCheckSoftware));

  const std::vector<std::uint8_t> read_back{0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17};
  ASSERT_GE(seen_by_check.size(), read_back.size());
  EXPECT_TRUE(std::equal(read_back.begin(), read_back.end(), seen_by_check.end() - 7)) << "read-back done first";
  EXPECT_EQ(CountOf(seen_by_check, 0x20), 0) << "a wired mouse has no receiver version";
  EXPECT_EQ(state.current_type, 201) << "the one mouse plugged in is picked";
  EXPECT_TRUE(state.mouse_linked);
  EXPECT_TRUE(state.notify_polling);
  EXPECT_EQ(state.StatusText(), 51);
  EXPECT_EQ(Config(ConfigKey::kReportRate), "4");
  EXPECT_EQ(Config(ConfigKey::kReportRateWireless), "4");
  EXPECT_EQ(Config(ConfigKey::kSleepLight), "60");
  EXPECT_EQ(state.current_profile, 1) << "four profiles exist and the first is active";
}

// A mouse that reports no level in use (or an active level past the count)
// keeps the stored DPI selection: a count of 0 never reaches the next write.
TEST_F(WorkerFixture, AReadBackDpiSelectionOutOfRangeIsNotStored) {
  Plug(Preset::kWired, [](sim::VirtualDevice& d) {
    d.state.settings.dpi_count = 0;
    d.state.settings.dpi_index = 0;
  });
  queue.Push(kTaskStartupScan);
  worker.Start();
  ASSERT_TRUE(WaitForTask(kTaskStartupScan));
  EXPECT_NE(Config(ConfigKey::kDpiCount), "0");
  EXPECT_NE(Config(ConfigKey::kDpiCount), "");
}

// A level the sensor decodes below 50 DPI is not a value the pages can
// show: the stored one stays.
TEST_F(WorkerFixture, AReadBackDpiBelowFiftyKeepsTheStoredValue) {
  Plug(Preset::kWired, [](sim::VirtualDevice& d) {
    d.state.identity.sensor_id = 4;  // steps of 100 DPI from code 1
    d.state.settings.dpi_count = 2;
    d.state.settings.dpi_codes[0] = 8;
    d.state.settings.dpi_codes[1] = 0;
  });
  queue.Push(kTaskStartupScan);
  worker.Start();
  ASSERT_TRUE(WaitForTask(kTaskStartupScan));
  EXPECT_EQ(Config(ConfigKey::kDpiGroup0Value), "800");
  EXPECT_NE(Config(ConfigKey::kDpiGroup1Value), "0");
  EXPECT_NE(Config(ConfigKey::kDpiGroup1Value), "");
}

// A receiver whose mouse is off is not the mouse: nothing is shown online or
// read until the mouse links, and the link then brings the full read-back
// with the device information asked again.
TEST_F(WorkerFixture, AReceiverWithoutItsMouseWaitsAndTheLinkReadsTheMouseBack) {
  const auto ids = Plug(Preset::kReceiverUnlinked, [](sim::VirtualDevice& d) {
    d.state.settings.report_rate = 2;
    d.state.battery_b = 64;
  });
  queue.Push(kTaskStartupScan);
  worker.Start();
  ASSERT_TRUE(WaitForTask(kTaskStartupScan));
  EXPECT_TRUE(events.Has("done 1 0"));
  EXPECT_EQ(state.StatusText(), 710) << "waiting for the mouse, not connected";
  EXPECT_FALSE(state.mouse_linked);
  EXPECT_EQ(state.current_type, 201) << "the model of the receiver is picked";
  EXPECT_FALSE(state.device_list.RowOf(201)->online);
  EXPECT_TRUE(events.Has("view 00"));
  EXPECT_EQ(CountOf(Commands(ids[0]), 0x11), 0);

  bus.Link(ids[0]);
  ASSERT_TRUE(WaitFor([&] { return events.Has("link 201 1") && CountOf(Commands(ids[0]), 0x17) == 1; }));
  const std::vector<std::uint8_t> commands = Commands(ids[0]);
  const std::vector<std::uint8_t> read_back{0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17};
  EXPECT_TRUE(std::search(commands.begin(), commands.end(), read_back.begin(), read_back.end()) != commands.end())
      << "the device information is asked again, then the settings are read";
  ASSERT_TRUE(WaitFor([&] { return Config(ConfigKey::kReportRate) == "2"; }));
  EXPECT_EQ(state.StatusText(), 52);
  EXPECT_TRUE(state.mouse_linked);
  EXPECT_TRUE(state.device_list.RowOf(201)->online);
  EXPECT_EQ(state.Info().battery_b, 64);
}

// A change the mouse did not take stays stored, the user is told, and it is
// sent once the mouse is back; the read-back of a model first seen then does
// not overwrite it with the mouse's old value.
TEST_F(WorkerFixture, AChangeTheMouseDidNotTakeIsSentWhenItLinks) {
  const auto ids = Plug(Preset::kReceiverUnlinked, [](sim::VirtualDevice& d) { d.state.settings.report_rate = 1; });
  worker.Register(kTaskReportRate, RateWriter(worker, store, state));
  queue.Push(kTaskStartupScan);
  worker.Start();
  ASSERT_TRUE(WaitForTask(kTaskStartupScan));

  SetConfigValue(store, state.current_profile, ConfigKey::kReportRate, "4");
  queue.Push(kTaskReportRate);
  ASSERT_TRUE(WaitForTask(kTaskReportRate));
  EXPECT_TRUE(events.Has("done 11 0"));
  EXPECT_TRUE(events.Has("status 711")) << "the user is told";
  EXPECT_EQ(Config(ConfigKey::kReportRate), "4") << "the change stays stored";
  EXPECT_EQ(settings.ReadAppSetting(PendingChangeKey(201)), 1);
  EXPECT_EQ(bus.State(ids[0]).settings.report_rate, 1);

  bus.Link(ids[0]);
  ASSERT_TRUE(WaitFor([&] { return bus.State(ids[0]).settings.report_rate == 4; }));
  ASSERT_TRUE(WaitFor([&] { return settings.ReadAppSetting(PendingChangeKey(201)) == 0; }));
  EXPECT_EQ(Config(ConfigKey::kReportRate), "4");
  EXPECT_EQ(CountOf(Commands(ids[0]), 0x12), 0) << "the stored profile wins over the mouse's values";
}

// A link report the receiver poll kept is handed out by the idle step
// without the manager looking at it: the worker asks for the device
// information again itself, so the read-back sees the linked mouse.
TEST_F(WorkerFixture, AKeptLinkReportAsksForTheDeviceInformationAgain) {
  const auto ids = Plug(Preset::kReceiverUnlinked);
  queue.Push(kTaskStartupScan);
  ASSERT_TRUE(worker.RunStep());
  ASSERT_FALSE(state.mouse_linked);
  bus.Link(ids[0]);
  ASSERT_TRUE(WaitFor([&] {
    manager.PollReceiverLinks();
    return manager.PendingReportCount() == 1;
  }));
  ASSERT_TRUE(worker.RunStep());
  const std::vector<std::uint8_t> commands = Commands(ids[0]);
  const std::vector<std::uint8_t> read_back{0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17};
  EXPECT_TRUE(std::search(commands.begin(), commands.end(), read_back.begin(), read_back.end()) != commands.end());
  EXPECT_TRUE(state.mouse_linked);
  EXPECT_TRUE(state.online);
}

TEST_F(WorkerFixture, AReceiverReadBackOnceIsNotReadAgainAfterReplugging) {
  const auto ids = Plug(Preset::kReceiver);
  queue.Push(kTaskStartupScan);
  worker.Start();
  ASSERT_TRUE(WaitForTask(kTaskStartupScan));
  EXPECT_EQ(CountOf(Commands(ids[0]), 0x12), 1);
  EXPECT_EQ(CountOf(Commands(ids[0]), 0x20), 1) << "the receiver's version is read";
  EXPECT_FALSE(state.ReceiverVersion().empty());

  bus.Unplug(ids[0]);
  bus.Plug(ids[0]);
  queue.Push(kTaskArrivalScan);
  ASSERT_TRUE(WaitForTask(kTaskArrivalScan));
  EXPECT_TRUE(events.Has("done 2 1"));
  EXPECT_EQ(CountOf(Commands(ids[0]), 0x12), 1) << "settings are read once per model and run";
  EXPECT_EQ(state.StatusText(), 52);
}

TEST_F(WorkerFixture, QueuedTasksRunInOrderWithTheValueCurrentAtEachRun) {
  const auto ids = Plug(Preset::kWired);
  worker.Register(kTaskReportRate, RateWriter(worker, store, state));
  queue.Push(kTaskStartupScan);
  worker.Start();
  ASSERT_TRUE(WaitForTask(kTaskStartupScan));
  int runs = 0;
  for (const char* rate : {"1", "2", "8"}) {
    SetConfigValue(store, state.current_profile, ConfigKey::kReportRate, rate);
    queue.Push(kTaskReportRate);
    ++runs;
    ASSERT_TRUE(WaitFor([&] { return events.Count("done 11 1") == runs; }));
  }
  std::vector<std::uint8_t> rates;
  for (const sim::LoggedCommand& c : bus.State(ids[0]).log) {
    if (c.command == report::kReportRate) rates.push_back(c.payload.at(0));
  }
  EXPECT_EQ(rates, (std::vector<std::uint8_t>{1, 2, 8}));
}

TEST_F(WorkerFixture, PendingTasksDelayNotificationsAndUnknownCodesDoNothing) {
  const auto ids = Plug(Preset::kWired);
  queue.Push(kTaskStartupScan);
  ASSERT_TRUE(worker.RunStep());
  int handled = 0;
  worker.Register(kTaskDpiLevels, [&] { return ++handled > 0; });
  bus.PressDpiButton(ids[0], 4, 2);
  queue.Push(static_cast<TaskCode>(99));
  queue.Push(kTaskDpiLevels);
  ASSERT_TRUE(WaitFor([&] { return PumpedTransport::InputReady(manager.CurrentInterface()); }));
  ASSERT_TRUE(worker.RunStep());
  ASSERT_TRUE(worker.RunStep());
  EXPECT_EQ(handled, 1);
  EXPECT_FALSE(events.Has("dpi 4 2")) << "no report is read while tasks wait";
  EXPECT_FALSE(events.Has("done 99 1") || events.Has("done 99 0"));
  ASSERT_TRUE(worker.RunStep());
  EXPECT_TRUE(events.Has("dpi 4 2"));
}

TEST_F(WorkerFixture, LinkReportsFollowTheReceiversMouseAndKeepBatteryWithoutValues) {
  const auto ids = Plug(Preset::kReceiver);
  queue.Push(kTaskStartupScan);
  worker.Start();
  ASSERT_TRUE(WaitForTask(kTaskStartupScan));
  const DeviceInfoValues before = state.Info();

  bus.Unlink(ids[0]);
  ASSERT_TRUE(WaitFor([&] { return events.Has("link 201 0"); }));
  EXPECT_EQ(state.StatusText(), 50);
  EXPECT_FALSE(state.mouse_linked);
  EXPECT_FALSE(state.device_list.RowOf(201)->online);
  std::vector<DeviceEntry> entries;
  ASSERT_TRUE(manager.ListDevices(entries));
  EXPECT_EQ(entries.at(0).link_state, kReceiverWithoutMouse) << "the receiver is still there";

  bus.SetBattery(ids[0], 0, 7);
  bus.Link(ids[0]);
  ASSERT_TRUE(WaitFor([&] { return events.Has("link 201 1"); }));
  EXPECT_EQ(state.StatusText(), 52);
  EXPECT_TRUE(state.mouse_linked);
  EXPECT_NE(before.battery_b, 7);
  EXPECT_EQ(state.Info().battery_b, 7) << "the device information is read again on the link";

  bus.SetBattery(ids[0], 80, 40);
  ASSERT_TRUE(WaitFor([&] { return events.Has("battery 80 40"); }));
  EXPECT_EQ(state.Info().battery_a, 80);
}

TEST_F(WorkerFixture, AMouseThatNeverAnswersFailsTheWriteAndTheNextTaskRuns) {
  const auto ids = Plug(Preset::kWired);
  worker.Register(kTaskReportRate, RateWriter(worker, store, state));
  queue.Push(kTaskStartupScan);
  worker.Start();
  ASSERT_TRUE(WaitForTask(kTaskStartupScan));
  bus.DropCommands(ids[0], 1);
  queue.Push(kTaskReportRate);
  queue.Push(kTaskReportRate);
  ASSERT_TRUE(WaitFor([&] { return events.Has("done 11 0") && events.Has("done 11 1"); }));
}

TEST_F(WorkerFixture, AFloodOfReportsDoesNotStarveQueuedTasks) {
  const auto ids = Plug(Preset::kWired);
  worker.Register(kTaskReportRate, RateWriter(worker, store, state));
  queue.Push(kTaskStartupScan);
  worker.Start();
  ASSERT_TRUE(WaitForTask(kTaskStartupScan));
  std::atomic<bool> flooding{true};
  std::thread flood([&] {
    // About five thousand reports a second, for up to two seconds.
    for (int i = 0; flooding && i < 10000; ++i) {
      bus.PressDpiButton(ids[0], 6, i % 6);
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  queue.Push(kTaskReportRate);
  const bool done = WaitFor([&] { return events.Has("done 11 1"); });
  flooding = false;
  flood.join();
  EXPECT_TRUE(done) << events.Count("done 11 0") << " failed writes";
}

TEST_F(WorkerFixture, UnpluggingEndsTheTaskAndTheRemovalRefreshFollows) {
  const auto ids = Plug(Preset::kWired);
  queue.Push(kTaskStartupScan);
  worker.Start();
  ASSERT_TRUE(WaitForTask(kTaskStartupScan));
  bus.Unplug(ids[0]);
  queue.Push(kTaskRemovalRefresh);
  ASSERT_TRUE(WaitForTask(kTaskRemovalRefresh));
  EXPECT_EQ(state.StatusText(), 50);
  EXPECT_FALSE(state.mouse_linked);
  EXPECT_FALSE(state.notify_polling);
}

TEST_F(WorkerFixture, FactoryResetRestoresTheMouseAndTheModelDefaults) {
  const auto ids = Plug(Preset::kWired);
  queue.Push(kTaskStartupScan);
  worker.Start();
  ASSERT_TRUE(WaitForTask(kTaskStartupScan));
  SetConfigValue(store, 2, ConfigKey::kDpiCount, "1");
  SetConfigValue(store, 1, ConfigKey::kSleepLight, "180");
  queue.Push(kTaskFactoryReset);
  ASSERT_TRUE(WaitForTask(kTaskFactoryReset));
  EXPECT_EQ(CountOf(Commands(ids[0]), report::kFactoryReset), 1);
  std::string count, sleep;
  GetConfigValue(store, 2, ConfigKey::kDpiCount, count);
  GetConfigValue(store, 1, ConfigKey::kSleepLight, sleep);
  EXPECT_EQ(count, "6");
  EXPECT_EQ(sleep, "30");
  EXPECT_EQ(state.current_profile, 1);
}

// Stop tells whether the worker ended: yes when it never ran or was asleep;
// no when a step outlasts the wait, and yes from the next Stop once that
// step is over. Either way the queued codes are gone.
TEST_F(WorkerFixture, StopTellsWhetherTheWorkerEnded) {
  EXPECT_TRUE(worker.Stop()) << "never started";
  worker.Start();
  EXPECT_TRUE(worker.Stop()) << "asleep";

  std::promise<void> release;
  const std::shared_future<void> released = release.get_future().share();
  std::atomic<bool> entered{false};
  worker.Register(kTaskDpiLevels, [&entered, released] {
    entered = true;
    released.wait();
    return true;
  });
  worker.Start();
  queue.Push(kTaskDpiLevels);
  queue.Push(kTaskDpiLevels);
  ASSERT_TRUE(WaitFor([&] { return entered.load(); }));
  EXPECT_FALSE(worker.Stop()) << "a step longer than the wait";
  EXPECT_FALSE(worker.Running());
  release.set_value();
  EXPECT_TRUE(worker.Stop()) << "the step has ended since";
  EXPECT_TRUE(queue.Empty());
  EXPECT_EQ(events.Count("done 9 1"), 1);
}

TEST_F(WorkerFixture, HotplugQueuesOnlyForTheConfigurationInterface) {
  const auto ids = Plug(Preset::kWired);
  const std::string keyboard = bus.InterfacePath(ids[0], 0);
  const std::string config = bus.InterfacePath(ids[0], 2);
  EXPECT_EQ(UpdateUSBDevice({true, keyboard}, catalog, transport, state, queue), 0);
  EXPECT_EQ(UpdateUSBDevice({true, config}, catalog, transport, state, queue), kTaskArrivalScan);
  EXPECT_EQ(UpdateUSBDevice({false, config}, catalog, transport, state, queue), 0) << "ignored while nothing is open";
  state.notify_polling = true;
  EXPECT_EQ(UpdateUSBDevice({false, keyboard}, catalog, transport, state, queue), 0) << "MI_00 removal";
  EXPECT_EQ(UpdateUSBDevice({false, config}, catalog, transport, state, queue), kTaskRemovalRefresh);
  EXPECT_EQ(UpdateUSBDevice({true, "/dev/hidraw9?VID_1234&PID_5678&MI_02"}, catalog, transport, state, queue), 0);
  EXPECT_EQ(queue.Pop(), kTaskArrivalScan);
  EXPECT_EQ(queue.Pop(), kTaskRemovalRefresh);
  EXPECT_EQ(queue.Pop(), std::nullopt);
}

}  // namespace
}  // namespace korvane::test
