#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>

#include "performance/lighting_model.hpp"
#include "store/light_table.hpp"
#include "support/worker_fixture.hpp"
#include "worker/profile_switch.hpp"

namespace korvane::test {
namespace {

// The performance handlers (registered by the session) on a worker
// connected to a virtual mouse.
class PerformanceTasksTest : public WorkerFixture {
 protected:
  void Connect(sim::PresetOptions options = {}) {
    for (sim::VirtualDevice& device : sim::BuildPreset(resources, options).devices) ids_.push_back(bus.Add(device));
    queue.Push(kTaskStartupScan);
    worker.Start();
    ASSERT_TRUE(WaitForTask(kTaskStartupScan));
    EnsureDefaultLightRows(store, state.current_profile, model.Get().light_modes);
  }

  // Runs the task once more and waits for it; whether it succeeded.
  bool Run(TaskCode code) {
    const auto finished = [&] {
      return events.Count("done " + std::to_string(code) + " 1") + events.Count("done " + std::to_string(code) + " 0");
    };
    const int before = finished();
    queue.Push(code);
    EXPECT_TRUE(WaitFor([&] { return finished() > before; }));
    return events.Count("done " + std::to_string(code) + " 1") > 0 &&
           events.Lines().back() == "done " + std::to_string(code) + " 1";
  }

  // The commands logged since `from`, in order.
  std::vector<sim::LoggedCommand> LogFrom(std::size_t from) {
    const auto& log = bus.State(mouse()).log;
    return {log.begin() + static_cast<std::ptrdiff_t>(from), log.end()};
  }
  std::size_t LogSize() { return bus.State(mouse()).log.size(); }
  sim::VirtualBus::DeviceId mouse() const { return ids_.at(0); }

  std::vector<sim::VirtualBus::DeviceId> ids_;
};

std::vector<std::uint8_t> CommandsOf(const std::vector<sim::LoggedCommand>& log) {
  std::vector<std::uint8_t> out;
  for (const sim::LoggedCommand& c : log) out.push_back(c.command);
  return out;
}

TEST_F(PerformanceTasksTest, ProfileSwitchWritesButtonsLightingDpiColoursRateSensorAndPowerInOrder) {
  Connect();
  EnsureDefaultLightRows(store, 2, model.Get().light_modes);
  SetConfigValue(store, 2, ConfigKey::kReportRate, "2");
  SetConfigValue(store, 2, ConfigKey::kDpiGroup0Value, "1200");
  MarkActiveLight(store, 2, 3);
  const std::size_t from = LogSize();
  ASSERT_TRUE(SwitchProfile(store, state, queue, 2));
  ASSERT_TRUE(WaitForTask(kTaskWriteProfile));
  EXPECT_TRUE(events.Has("done 5 1"));
  EXPECT_EQ(CommandsOf(LogFrom(from)), (std::vector<std::uint8_t>{0x09, 0x05, 0x03, 0x04, 0x02, 0x06, 0x07}));
  const sim::Settings& mouse_now = bus.State(mouse()).settings;
  EXPECT_EQ(mouse_now.report_rate, 2);
  EXPECT_EQ(mouse_now.lighting.mode, 3) << "the new profile's active mode";
  EXPECT_EQ(mouse_now.dpi_codes[0], 23) << "1200 DPI on the mouse's sensor (steps of 50)";

  ASSERT_TRUE(SwitchProfile(store, state, queue, 4));
  ASSERT_TRUE(WaitFor([&] { return events.Count("done 5 1") + events.Count("done 5 0") == 2; }));
  EXPECT_EQ(events.Count("done 5 1"), 2) << "a profile the lighting page never loaded gets its default rows";
  EXPECT_EQ(bus.State(mouse()).settings.lighting.mode, 1);
}

// Runs SQL on the settings database through a connection of its own, as
// another program (or damage) would change it under the running session.
void ChangeBehindTheStore(const std::string& path, const char* sql) {
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(other, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
  sqlite3_close(other);
}

// A settings store that fails while a task builds its command sends nothing:
// a failed read would otherwise become zeros on the mouse.
class BrokenStoreTest : public PerformanceTasksTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BrokenStoreTest, NothingIsSentWhenTheStoreCannotBeRead) {
  Connect();
  const sim::Settings before = bus.State(mouse()).settings;
  const std::size_t from = LogSize();
  ChangeBehindTheStore(store.Path(), GetParam());
  for (const TaskCode code : {kTaskReportRate, kTaskDpiLevels, kTaskPower, kTaskWriteProfile}) {
    EXPECT_FALSE(Run(code)) << code;
  }
  // Commands built from the configuration never go; the button table and
  // the lighting come from tables of their own and may, while they read.
  for (const sim::LoggedCommand& c : LogFrom(from)) {
    EXPECT_TRUE(c.command == report::kButtons || c.command == report::kLighting) << "sent " << int{c.command};
  }
  const sim::Settings after = bus.State(mouse()).settings;
  EXPECT_EQ(after.report_rate, before.report_rate);
  EXPECT_EQ(after.dpi_count, before.dpi_count);
  EXPECT_EQ(after.dpi_codes, before.dpi_codes);
  EXPECT_EQ(after.dpi_colours, before.dpi_colours);
  EXPECT_EQ(after.sleep, before.sleep);
  EXPECT_EQ(after.response, before.response);
}

INSTANTIATE_TEST_SUITE_P(Damages, BrokenStoreTest,
                         ::testing::Values("DROP TABLE t_configdata",
                                           "DROP TABLE t_configdata; DROP TABLE t_light_data; "
                                           "DROP TABLE t_key_macro_data; DROP TABLE t_macro_data"));

// A reset the mouse did not acknowledge leaves the stored settings as they
// were: they still describe what the mouse holds.
TEST_F(PerformanceTasksTest, UnacknowledgedResetsLeaveTheStoredSettings) {
  Connect();
  SetConfigValue(store, state.current_profile, ConfigKey::kReportRate, "2");
  SetConfigValue(store, 3, ConfigKey::kSleepLight, "42");
  LightSetting row;
  ASSERT_TRUE(LoadLightRow(store, state.current_profile, 1, row));
  row.brightness = 1;
  ASSERT_TRUE(UpdateLightRow(store, 1, row));
  for (const TaskCode code : {kTaskFactoryReset, kTaskLightingRestore}) {
    bus.DropCommands(mouse(), 1);
    EXPECT_FALSE(Run(code)) << code;
    EXPECT_EQ(Config(ConfigKey::kReportRate), "2") << code;
    std::string sleep;
    GetConfigValue(store, 3, ConfigKey::kSleepLight, sleep);
    EXPECT_EQ(sleep, "42") << code;
    LightSetting now;
    ASSERT_TRUE(LoadLightRow(store, state.current_profile, 1, now));
    EXPECT_EQ(now.brightness, 1) << code;
  }
}

TEST_F(PerformanceTasksTest, AModelWithoutLightingNeverGetsALightingCommand) {
  sim::PresetOptions options;
  options.model = "korvane_slate";
  Connect(options);
  ASSERT_FALSE(model.Get().light_page_shown);
  const std::size_t from = LogSize();
  ASSERT_TRUE(SwitchProfile(store, state, queue, 3));
  ASSERT_TRUE(WaitForTask(kTaskWriteProfile));
  EXPECT_EQ(CommandsOf(LogFrom(from)), (std::vector<std::uint8_t>{0x09, 0x03, 0x04, 0x02, 0x06, 0x07}));
}

TEST_F(PerformanceTasksTest, EachQueuedDpiWriteSendsTheValueStoredWhenItRuns) {
  Connect();
  const std::size_t from = LogSize();
  // The mouse's sensor counts in steps of 50 from 50 DPI (code 0).
  const std::vector<int> expected{15, 31, 63};
  for (const int dpi : {800, 1600, 3200}) {
    SetConfigValue(store, state.current_profile, ConfigKey::kDpiGroup0Value, std::to_string(dpi));
    EXPECT_TRUE(Run(kTaskDpiLevels));
  }
  std::vector<int> sent;
  for (const sim::LoggedCommand& c : LogFrom(from)) {
    ASSERT_EQ(c.command, 0x03);
    EXPECT_EQ(c.length, 0x25);
    sent.push_back(c.payload.at(1) | c.payload.at(2) << 8);
  }
  EXPECT_EQ(sent, expected);
}

TEST_F(PerformanceTasksTest, Codes13And14SendTheSamePowerCommand) {
  Connect();
  for (const auto& [key, value] : {std::pair{ConfigKey::kSleepLight, "120"},
                                   {ConfigKey::kMoveWakeup, "0"},
                                   {ConfigKey::kMoveCloseLight, "1"},
                                   {ConfigKey::kButtonRespondTime, "12"}}) {
    SetConfigValue(store, state.current_profile, key, value);
  }
  const std::size_t from = LogSize();
  EXPECT_TRUE(Run(kTaskPower));
  EXPECT_TRUE(Run(kTaskResponseTime));
  const auto log = LogFrom(from);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].payload, (std::vector<std::uint8_t>{120, 0, 1, 12}));
  EXPECT_EQ(log[1].payload, log[0].payload);
  EXPECT_EQ(bus.State(mouse()).settings.response, 12);
}

TEST_F(PerformanceTasksTest, StoredValuesOutOfRangeAreHeldOrNotSent) {
  Connect();
  SetConfigValue(store, state.current_profile, ConfigKey::kReportRate, "7");
  SetConfigValue(store, state.current_profile, ConfigKey::kLiftOffHeight, "5");
  SetConfigValue(store, state.current_profile, ConfigKey::kSensorFlag, "8");
  const std::size_t from = LogSize();
  EXPECT_FALSE(Run(kTaskReportRate)) << "a code that is no rate is not sent";
  EXPECT_TRUE(Run(kTaskSensor));
  const auto log = LogFrom(from);
  ASSERT_EQ(CommandsOf(log), std::vector<std::uint8_t>{0x06});
  EXPECT_EQ(log[0].payload, (std::vector<std::uint8_t>{1, 1, 0, 0, 0}));
}

TEST_F(PerformanceTasksTest, ReadBackStoresTheSensorOptionsTheMouseHas) {
  sim::PresetOptions options;
  options.preset = sim::Preset::kWired;
  ASSERT_FALSE(sim::BuildPreset(resources, options).devices.empty());
  for (sim::VirtualDevice device : sim::BuildPreset(resources, options).devices) {
    device.state.settings.sensor_options = {1, 0};
    device.state.settings.liftoff = 2;
    ids_.push_back(bus.Add(device));
  }
  queue.Push(kTaskStartupScan);
  worker.Start();
  ASSERT_TRUE(WaitForTask(kTaskStartupScan));
  EXPECT_EQ(Config(ConfigKey::kSensorFlag), "8");
  EXPECT_EQ(Config(ConfigKey::kLiftOffHeight), "2");
}

TEST_F(PerformanceTasksTest, DpiButtonStoresChangesOnceAndWritesNothingBack) {
  Connect();
  const std::size_t from = LogSize();
  ASSERT_TRUE(bus.PressDpiButton(mouse(), 4, 2));
  ASSERT_TRUE(WaitFor([&] { return events.Has("dpi 4 2"); }));
  EXPECT_EQ(Config(ConfigKey::kDpiCount), "4");
  EXPECT_EQ(Config(ConfigKey::kDpiIndex), "2");
  SetConfigValue(store, state.current_profile, ConfigKey::kDpiIndex, "0");
  ASSERT_TRUE(bus.PressDpiButton(mouse(), 4, 2));
  ASSERT_TRUE(WaitFor([&] { return events.Count("dpi 4 2") == 2; }));
  EXPECT_EQ(Config(ConfigKey::kDpiIndex), "0") << "a report repeating the cached values changes nothing";
  EXPECT_TRUE(LogFrom(from).empty());
}

TEST_F(PerformanceTasksTest, LightingRestoreReadsTheMousesEffectBack) {
  Connect();
  ASSERT_TRUE(ChangeLightMode({store, state, queue}, 3));
  ASSERT_TRUE(WaitForTask(kTaskLighting));
  const std::size_t from = LogSize();
  EXPECT_TRUE(Run(kTaskLightingRestore));
  EXPECT_EQ(CommandsOf(LogFrom(from)), (std::vector<std::uint8_t>{0x0E, 0x15}));
  const int factory_mode = bus.State(mouse()).factory.lighting.mode;
  EXPECT_EQ(LoadActiveLightMode(store, state.current_profile), factory_mode);
  EXPECT_EQ(state.current_light_mode, factory_mode);
  EXPECT_TRUE(events.Has("pages " + std::to_string(kLightingPage)));
}

TEST_F(PerformanceTasksTest, DpiResetStoresTheModelDefaultsAndSendsThem) {
  Connect();
  SetConfigValue(store, state.current_profile, ConfigKey::kDpiGroup0Value, "12345");
  SetConfigValue(store, state.current_profile, ConfigKey::kDpiGroup0Rgb, "1");
  const std::size_t from = LogSize();
  EXPECT_TRUE(Run(kTaskDpiReset));
  EXPECT_EQ(Config(ConfigKey::kDpiGroup0Value), "400");
  EXPECT_EQ(Config(ConfigKey::kDpiGroup0Rgb), "255");
  EXPECT_EQ(CommandsOf(LogFrom(from)), (std::vector<std::uint8_t>{0x03, 0x04}));
  EXPECT_EQ(bus.State(mouse()).settings.dpi_colours[0], (sim::Colour{255, 0, 0}));
}

TEST_F(PerformanceTasksTest, ALightingReadAnsweredWithAnErrorStatusLeavesTheRowsAsTheyWere) {
  Connect();
  ASSERT_TRUE(ChangeLightMode({store, state, queue}, 3));
  ASSERT_TRUE(WaitForTask(kTaskLighting));
  LightSetting before;
  LoadLightRow(store, state.current_profile, 3, before);
  // The restore and the read are both answered busy, their real answers
  // coming only after the acknowledgement window.
  bus.AnswerBusy(mouse(), 2, std::chrono::seconds(10));
  EXPECT_FALSE(Run(kTaskLightingRestore));
  EXPECT_EQ(LoadActiveLightMode(store, state.current_profile), 3);
  LightSetting after;
  LoadLightRow(store, state.current_profile, 3, after);
  EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace korvane::test
