// Faults of the mouse and of its connection, met by the real worker with
// every feature's handlers: each wait ends, a write the mouse did not
// acknowledge is reported failed and kept as a pending change, and the
// settings database holds what it held.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <numeric>
#include <thread>

#include "performance/lighting_model.hpp"
#include "store/key_table.hpp"
#include "store/macro_table.hpp"
#include "support/database_rows.hpp"
#include "support/offline_updates.hpp"
#include "support/worker_fixture.hpp"
#include "update/update_service.hpp"
#include "worker/hotplug.hpp"

namespace korvane::test {
namespace {

using namespace std::chrono_literals;
using sim::Preset;

class FaultScenarios : public WorkerFixture {
 protected:
  ~FaultScenarios() override {
    worker.Stop();
    bus.SetListener(nullptr);
    bus.SetStateObserver(nullptr);
  }

  // Plugs the preset and runs the startup scan; plugs and unplugs reach the
  // queue as in the programs.
  void Connect(
      Preset preset, const std::function<void(sim::VirtualDevice&)>& adjust = [](sim::VirtualDevice&) {}) {
    bus.SetListener([this](const HotplugEvent& event) { UpdateUSBDevice(event, catalog, transport, state, queue); });
    mouse = Plug(preset, adjust).at(0);
    queue.Push(kTaskStartupScan);
    worker.Start();
    ASSERT_TRUE(WaitForTask(kTaskStartupScan));
    // The rows the lighting page makes when it first shows the profile.
    EnsureDefaultLightRows(store, state.current_profile, model.Get().light_modes);
  }

  int Finished(TaskCode code) {
    const std::string done = "done " + std::to_string(code);
    return events.Count(done + " 1") + events.Count(done + " 0");
  }

  // Runs the task once more and waits for it (5 s at most): whether it
  // succeeded, nullopt when it did not end.
  std::optional<bool> Run(TaskCode code) {
    const int before = Finished(code);
    queue.Push(code);
    return Ended(code, before);
  }

  // Waits until the task has ended more than `before` times; how it ended last.
  std::optional<bool> Ended(TaskCode code, int before) {
    if (!WaitFor([&] { return Finished(code) > before; })) return std::nullopt;
    const std::string done = "done " + std::to_string(code) + " ";
    const auto lines = events.Lines();
    const auto last =
        std::find_if(lines.rbegin(), lines.rend(), [&](const std::string& l) { return l.starts_with(done); });
    return last->back() == '1';
  }

  std::vector<std::string> Rows() { return DatabaseRows(store.Path()); }
  bool Pending() { return settings.ReadAppSetting(PendingChangeKey(state.current_type)) != 0; }
  void Store(ConfigKey key, const std::string& value) {
    ASSERT_TRUE(SetConfigValue(store, state.current_profile, key, value));
  }

  sim::VirtualBus::DeviceId mouse = 0;
};

// The mouse answers a write with a failure status: it refuses the value
// (status 4), or it stays busy (status 1) past the acknowledgement window.
class FailureStatus : public FaultScenarios, public ::testing::WithParamInterface<bool> {};

TEST_P(FailureStatus, FailsTheWriteTellsTheUserAndKeepsTheChange) {
  // A mouse with report rates up to 2000 Hz refuses 8000 Hz.
  Connect(Preset::kWired, [](sim::VirtualDevice& d) { d.state.identity.rate_capability = 0x10; });
  const int rate_before = bus.State(mouse).settings.report_rate;
  Store(ConfigKey::kReportRate, "64");
  const std::vector<std::string> rows = Rows();
  if (GetParam()) bus.AnswerBusy(mouse, 1, 10s);
  EXPECT_EQ(Run(kTaskReportRate), false);
  EXPECT_TRUE(events.Has("status 711")) << "the user is told";
  EXPECT_TRUE(Pending());
  EXPECT_EQ(Rows(), rows) << "the change stays stored and nothing else moves";
  EXPECT_EQ(bus.State(mouse).settings.report_rate, rate_before);
}

INSTANTIATE_TEST_SUITE_P(Statuses, FailureStatus, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Busy" : "Refused"; });

// An answer 900 ms late is within the acknowledgement window.
TEST_F(FaultScenarios, AnAnswerAfter900MsAcknowledgesTheWrite) {
  Connect(Preset::kWired);
  bus.DelayAnswers(mouse, 900ms);
  for (const char* rate : {"8", "2"}) {
    Store(ConfigKey::kReportRate, rate);
    EXPECT_EQ(Run(kTaskReportRate), true) << rate;
    EXPECT_EQ(bus.State(mouse).settings.report_rate, std::stoi(rate));
  }
  EXPECT_FALSE(events.Has("status 711"));
  EXPECT_FALSE(Pending());
}

// The mouse goes away between the packets of a macro: neither the macro
// nor the button table that plays it counts as written, and both reach the
// mouse once it is back.
TEST_F(FaultScenarios, AMacroCutOffByAnUnplugIsSentAgainWhenTheMouseIsBack) {
  Connect(Preset::kWired);
  const int macro = InsertMacroRow(store, "Spray");
  std::vector<MacroEvent> steps;
  for (int i = 0; i < 20; ++i) {
    steps.push_back({.macro_id = macro, .type = i % 2 ? 3 : 2, .record_index = i, .value = 0x41});
  }
  InsertEventRows(store, steps);
  ASSERT_GT(StoreKeyAssignment(
                store, {.profile = state.current_profile, .key_code = 3, .macro_type = 4, .macro_value = macro}),
            0);
  session->pending_macro.Set(3);
  const std::vector<std::string> rows = Rows();

  bus.UnplugDuringMultiPacketWrite(mouse);
  EXPECT_EQ(Run(kTaskButtons), false);
  EXPECT_TRUE(events.Has("status 711"));
  EXPECT_TRUE(Pending());
  ASSERT_TRUE(WaitForTask(kTaskRemovalRefresh));
  EXPECT_FALSE(state.mouse_linked);
  EXPECT_EQ(bus.State(mouse).settings.macros.count(3), 0u);

  const std::size_t from = bus.State(mouse).log.size();
  ASSERT_TRUE(bus.Plug(mouse));
  ASSERT_TRUE(WaitFor([&] { return !Pending(); }));
  const sim::MouseState back = bus.State(mouse);
  ASSERT_EQ(back.settings.macros.count(3), 1u) << "the macro is sent again";
  std::vector<std::uint8_t> sent;
  for (std::size_t i = from; i < back.log.size(); ++i) sent.push_back(back.log[i].command);
  const auto macro_at = std::find(sent.begin(), sent.end(), report::kMacroData);
  EXPECT_LT(macro_at, std::find(sent.begin(), sent.end(), report::kButtons)) << "before the table";
  EXPECT_EQ(Rows(), rows);
}

// The receiver is pulled out while the worker waits for its mouse's
// answer: the write ends at once, and the change goes when it is back.
TEST_F(FaultScenarios, TheReceiverPulledOutMidWriteEndsItAndTheChangeGoesWhenItIsBack) {
  Connect(Preset::kReceiver);
  ASSERT_TRUE(state.mouse_linked);
  Store(ConfigKey::kReportRate, "8");
  const std::vector<std::string> rows = Rows();
  bus.DelayAnswers(mouse, 1s);
  const int before = Finished(kTaskReportRate);
  queue.Push(kTaskReportRate);
  ASSERT_TRUE(WaitFor([&] { return bus.State(mouse).log.back().command == report::kReportRate; }));
  ASSERT_TRUE(bus.Unplug(mouse));
  EXPECT_EQ(Ended(kTaskReportRate, before), false);
  EXPECT_TRUE(events.Has("status 711"));
  EXPECT_TRUE(Pending());
  ASSERT_TRUE(WaitForTask(kTaskRemovalRefresh));
  EXPECT_FALSE(state.mouse_linked);
  EXPECT_EQ(state.StatusText(), 50);
  EXPECT_EQ(Run(kTaskReportRate), false) << "nothing to write to";

  bus.DelayAnswers(mouse, 0ms);
  ASSERT_TRUE(bus.Plug(mouse));
  ASSERT_TRUE(WaitFor([&] { return !Pending() && state.StatusText() == 52; }));
  EXPECT_EQ(bus.State(mouse).settings.report_rate, 8);
  EXPECT_EQ(Rows(), rows);
}

// The receiver's mouse links and leaves 20 times a second for two
// seconds while the user changes the report rate. Once the link holds, the
// worker catches up, shows the mouse connected and the last change reaches
// it.
TEST_F(FaultScenarios, ALinkFlappingForTwoSecondsSettlesWithTheLastChangeSent) {
  Connect(Preset::kReceiver);
  std::thread flapping([&] {
    for (int i = 0; i < 40; ++i) {
      bus.Unlink(mouse);
      std::this_thread::sleep_for(25ms);
      bus.Link(mouse);
      std::this_thread::sleep_for(25ms);
    }
  });
  for (const char* rate : {"1", "2", "4", "8"}) {
    Store(ConfigKey::kReportRate, rate);
    queue.Push(kTaskReportRate);
    std::this_thread::sleep_for(400ms);
  }
  flapping.join();
  const std::vector<std::string> rows = Rows();
  EXPECT_TRUE(WaitFor([&] {
    return queue.Empty() && state.mouse_linked && state.StatusText() == 52 && !Pending() &&
           bus.State(mouse).settings.report_rate == 8;
  }));
  EXPECT_EQ(Rows(), rows);
}

// Ten thousand presses of the mouse's DPI button: the last one is
// stored, nothing is written back, and the worker still runs tasks.
TEST_F(FaultScenarios, TenThousandDpiButtonPressesLeaveTheLastOneStored) {
  Connect(Preset::kWired);
  // What a press stores: the level count (and its flag) and the level.
  const auto other_rows = [this] { return DatabaseRowsWithout(store.Path(), {"dpi_count", "dpi_flag", "dpi_index"}); };
  const std::vector<std::string> rows = other_rows();
  const std::size_t commands = bus.State(mouse).log.size();
  for (int i = 0; i < 9999; ++i) {
    const int count = 1 + i % 4;
    bus.PressDpiButton(mouse, count, i % count);
  }
  ASSERT_TRUE(bus.PressDpiButton(mouse, 5, 2));
  EXPECT_TRUE(WaitFor([&] { return Config(ConfigKey::kDpiCount) == "5" && Config(ConfigKey::kDpiIndex) == "2"; }));
  EXPECT_EQ(bus.State(mouse).log.size(), commands) << "a press is never written back";
  EXPECT_EQ(other_rows(), rows);
  Store(ConfigKey::kReportRate, "8");
  EXPECT_EQ(Run(kTaskReportRate), true);
}

// Every answer comes after an unsolicited report (a DPI report from a
// wired mouse, a link report from a receiver): the whole profile is still
// acknowledged, and the reports change nothing stored.
class InterleavedReports : public FaultScenarios, public ::testing::WithParamInterface<bool> {};

TEST_P(InterleavedReports, TheWholeProfileIsAcknowledgedAndNothingStoredChanges) {
  Connect(GetParam() ? Preset::kReceiver : Preset::kWired);
  Store(ConfigKey::kReportRate, "8");
  const std::vector<std::string> rows = Rows();
  const int status = state.StatusText();
  const auto handled = [&] {
    const auto lines = events.Lines();
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.starts_with(GetParam() ? "link " : "dpi "); });
  };
  const auto before = handled();
  bus.InterjectBeforeAnswers(mouse, 7);  // the seven commands of a profile
  EXPECT_EQ(Run(kTaskWriteProfile), true);
  EXPECT_EQ(bus.State(mouse).settings.report_rate, 8);
  EXPECT_FALSE(events.Has("status 711"));
  EXPECT_FALSE(Pending());
  EXPECT_TRUE(WaitFor([&] { return handled() == before + 7; })) << "each report is handled after the task";
  EXPECT_EQ(Run(kTaskReportRate), true);
  EXPECT_EQ(state.StatusText(), status);
  EXPECT_TRUE(state.mouse_linked);
  EXPECT_EQ(Rows(), rows);
}

INSTANTIATE_TEST_SUITE_P(Devices, InterleavedReports, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Receiver" : "Wired"; });

// What the update tasks report, recorded.
class RecordedUpdates final : public UpdateEvents {
 public:
  void SoftwareChecked(const std::string&, bool) override {}
  void FirmwareChecked(const std::string&, const std::string&, bool) override {}
  void DownloadProgress(int) override {}
  void SoftwareDownloaded(UpdateProblem, const std::filesystem::path&) override {}
  void UpgradeStepped(int, int) override {}
  void UpgradeEnded(UpdateProblem problem) override {
    std::lock_guard lock(mutex_);
    ended_.push_back(problem);
  }
  std::vector<UpdateProblem> Ended() {
    std::lock_guard lock(mutex_);
    return ended_;
  }

 private:
  std::mutex mutex_;
  std::vector<UpdateProblem> ended_;
};

// The update tasks on the worker, reporting to `updates`.
class UpgradeFaults : public FaultScenarios {
 protected:
  UpgradeFaults() {
    KeepUpdateChecksOffline();
    service.Register(worker);
  }
  ~UpgradeFaults() override { worker.Stop(); }

  RecordedUpdates updates;
  UpdateService service{{"1.0.1", ""}, dir / "temp", updates};
};

// The mouse is unplugged in the middle of a firmware upgrade (task
// 27): the upgrade is reported failed without its end command, and the
// worker goes on: the mouse plugged in again is connected, takes a setting
// and a whole upgrade.
TEST_F(UpgradeFaults, AMouseUnpluggedDuringAFirmwareUpgradeFailsItAndTheWorkerGoesOn) {
  Connect(Preset::kWired);
  std::string image(4800, '\0');
  std::iota(image.begin(), image.end(), '\1');
  const std::filesystem::path file = dir.Write("image.bin", image);

  bus.SetStateObserver([this](sim::VirtualBus::DeviceId id, const sim::MouseState& s) {
    if (s.update.packets == 30) bus.Unplug(id);
  });
  service.UseLocalImage(file);
  EXPECT_EQ(Run(kTaskUpgradeFirmware), false);
  EXPECT_EQ(updates.Ended(), std::vector{UpdateProblem::kWriteFailed}) << "which the desktop tells the user";
  EXPECT_TRUE(bus.State(mouse).update.started);
  EXPECT_FALSE(bus.State(mouse).update.finished);
  ASSERT_TRUE(WaitForTask(kTaskRemovalRefresh));
  bus.SetStateObserver(nullptr);

  const int arrivals = Finished(kTaskArrivalScan);
  ASSERT_TRUE(bus.Plug(mouse));
  EXPECT_EQ(Ended(kTaskArrivalScan, arrivals), true);
  Store(ConfigKey::kReportRate, "8");
  EXPECT_EQ(Run(kTaskReportRate), true);
  service.UseLocalImage(file);
  EXPECT_EQ(Run(kTaskUpgradeFirmware), true);
  EXPECT_TRUE(bus.State(mouse).update.finished);
  EXPECT_EQ(bus.State(mouse).update.image, std::vector<std::uint8_t>(image.begin(), image.end()));
}

// Leaves every second command of the device unanswered from now on.
void LoseEverySecondAnswer(sim::VirtualBus& bus, sim::VirtualBus::DeviceId id) {
  const std::size_t armed = bus.State(id).log.size();
  bus.SetStateObserver([&bus, id, armed](sim::VirtualBus::DeviceId at, const sim::MouseState& s) {
    // Set after each command for the next one: the second, fourth … go.
    if (at == id) bus.DropCommands(id, static_cast<int>((s.log.size() - armed) % 2));
  });
}

// The receiver's mouse links, and every second answer of its full
// read-back is lost: the read-back ends at the first loss, counts as not
// done and stores nothing; asked again with the answers back, it reads
// every setting.
TEST_F(FaultScenarios, AReadBackLosingEverySecondAnswerFailsAndIsReadWhole) {
  Connect(Preset::kReceiverUnlinked, [](sim::VirtualDevice& d) {
    d.state.settings.report_rate = 8;
    d.state.settings.sleep = 10;
  });
  const std::vector<std::string> rows = Rows();
  LoseEverySecondAnswer(bus, mouse);
  ASSERT_TRUE(bus.Link(mouse));
  ASSERT_TRUE(WaitFor([&] { return events.Has("link 201 1"); }));
  EXPECT_EQ(Run(kTaskSelectDevice), false);
  EXPECT_EQ(Rows(), rows);

  bus.SetStateObserver(nullptr);
  bus.DropCommands(mouse, 0);
  EXPECT_EQ(Run(kTaskSelectDevice), true);
  EXPECT_EQ(Config(ConfigKey::kReportRate), "8");
  EXPECT_EQ(Config(ConfigKey::kSleepLight), "10");
}

}  // namespace
}  // namespace korvane::test
