#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/device_main_dlg.hpp"
#include "sim/presets.hpp"
#include "sim/virtual_bus.hpp"
#include "support/fake_toolkit.hpp"
#include "support/offline_updates.hpp"
#include "support/temp_dir.hpp"
#include "ui/control_ids.hpp"
#include "ui/main_texts.hpp"

namespace korvane::test {

// The controller on a FakeToolkit, against an in-process virtual bus, the
// shipped resources and a temporary home: settings, data and the autostart
// folder all lie in it.
class ControllerTest : public ::testing::Test {
 protected:
  // A task code only these tests queue: once it finished, every task queued
  // before it has run (the queue is first in, first out).
  static constexpr auto kMarkerTask = static_cast<TaskCode>(99);

  TempDir home;
  sim::VirtualBus::DeviceId mouse = 0;  // the mouse Connect plugged
  std::unique_ptr<AppContext> context;
  FakeToolkit toolkit;
  sim::VirtualBus bus;
  std::unique_ptr<DeviceMainDlg> controller;
  std::vector<std::pair<TaskCode, bool>> finished;  // UI thread only
  // The desktop's mouse settings as the controller sees them.
  bool mouse_settings_installed = true;
  int mouse_settings_opened = 0;
  // The controller's steady clock in ms; tests move it on.
  std::int64_t now_ms = 1'000'000;
  // Installers handed to the desktop.
  std::vector<std::filesystem::path> opened_installers;
  // Start replaces the software check with a task that only finishes.
  bool stand_in_software_check = true;
  // Where the controller's resources come from.
  std::filesystem::path resources = KORVANE_SOURCE_DATA;

  void SetUp() override {
    KeepUpdateChecksOffline();
    AppContextOptions options;
    options.resources = resources;
    options.data_dir = home / "data";
    options.config_dir = home / "config";
    std::filesystem::create_directories(home / "config");
    std::filesystem::create_directories(home / "data" / "db");
    context = std::make_unique<AppContext>(options);
    context->Language().SetCurrentLcid(1033);
    DeclareControls();
    ui::AddMainTabs(toolkit, context->Language().Lookup());
  }

  void TearDown() override {
    if (controller) controller->Shutdown();
    for (const auto id : bus.Devices()) bus.Unplug(id);
  }

  void DeclareControls() {
    using namespace ui::ctl;
    toolkit.AddCheckBox(kAutostart);
    toolkit.AddCheckBox(kStartMinimised);
    toolkit.AddControl(kExitHidesToTray, "exit");
    toolkit.AddControl(kExitEndsProgram, "exit");
    for (const int control : {ui::ctl::kSettingsPage, kHomePage, kSettings, kKeyField, kLanguageList, kMaximise,
                              kMinimise, kWebsite, kFeedback, kQuestions, kDpiApply, kCheckSoftware,
                              kSettingsCheckSoftware, kModifierCtrl, kTabBackground, kMousePicture, kCheckFirmware}) {
      toolkit.AddControl(control);
    }
    toolkit.SetVisible(ui::ctl::kSettingsPage, false);
  }

  // Plugs the preset's devices (of the model with this device_attr, else
  // the first model the preset fits); returns their ids (wired first).
  std::vector<sim::VirtualBus::DeviceId> Plug(sim::Preset preset, std::optional<std::string> model = {}) {
    sim::PresetOptions options;
    options.preset = preset;
    options.model = std::move(model);
    std::vector<sim::VirtualBus::DeviceId> ids;
    for (sim::VirtualDevice& device : sim::BuildPreset(KORVANE_SOURCE_DATA, options).devices) {
      ids.push_back(bus.Add(device));
    }
    return ids;
  }

  // Builds and starts the controller; waits for the startup scan.
  void Start() {
    ControllerOptions options{home / "autostart", "/opt/korvane/bin/korvane",
                              [this] {
                                ++mouse_settings_opened;
                                return mouse_settings_installed;
                              },
                              [this] { return now_ms; }};
    options.open_installer = [this](const std::filesystem::path& installer) {
      opened_installers.push_back(installer);
      return true;
    };
    controller = std::make_unique<DeviceMainDlg>(toolkit, *context, bus, &bus, std::move(options));
    controller->Worker().Register(kMarkerTask, [] { return true; });
    // Stands in for the software check, so that its runs can be seen.
    if (stand_in_software_check) controller->Worker().Register(kTaskCheckSoftware, [] { return true; });
    controller->Hooks().OnTaskFinished([this](TaskCode code, bool ok) { finished.emplace_back(code, ok); });
    controller->OnInitDialog();
    ASSERT_TRUE(PumpUntil([&] { return Ran(kTaskStartupScan); }));
  }

  // Pumps the toolkit until the condition holds or 5 s pass.
  template <typename Condition>
  bool PumpUntil(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (true) {
      toolkit.Pump();
      if (condition()) return true;
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }

  bool Ran(TaskCode code) const {
    for (const auto& [c, ok] : finished) {
      if (c == code) return true;
    }
    return false;
  }
  bool Succeeded(TaskCode code) const {
    for (const auto& [c, ok] : finished) {
      if (c == code && ok) return true;
    }
    return false;
  }

  // Waits until every task queued so far has run.
  void Drain() {
    const auto before = std::count(finished.begin(), finished.end(), std::pair{kMarkerTask, true});
    controller->Queue().Push(kMarkerTask);
    ASSERT_TRUE(PumpUntil([&] {
      return std::count(finished.begin(), finished.end(), std::pair{kMarkerTask, true}) > before;
    }));
  }

  std::string Text(int id) const { return context->Language().GetText(id); }

  // Plugs the model's wired mouse, starts and opens its device pages.
  void Connect(const std::string& model) {
    mouse = Plug(sim::Preset::kWired, model)[0];
    Start();
    Drain();
    ASSERT_TRUE(controller->State().mouse_linked);
    ASSERT_TRUE(toolkit.Choose(ui::ctl::kDeviceList, ListIndexOf(controller->State().current_type)));
    Drain();
  }

  int Profile() const { return controller->State().current_profile; }

  // The commands the mouse received since `from` entries of its log.
  std::vector<int> CommandsSince(std::size_t from) const {
    const auto log = bus.State(mouse).log;
    std::vector<int> commands;
    for (std::size_t i = from; i < log.size(); ++i) commands.push_back(log[i].command);
    return commands;
  }
  std::size_t LogSize() const { return bus.State(mouse).log.size(); }

  bool SaveTipShown() const { return toolkit.Window(ui::WindowId::kSaveTip).state != ui::WindowState::kHidden; }

  // The device list index of the model with this device type.
  int ListIndexOf(int device_type) {
    const auto items = toolkit.Items(ui::ctl::kDeviceList);
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].data == device_type) return static_cast<int>(i);
    }
    return -1;
  }

  std::string ShownMessage() const {
    return toolkit.GetText({ui::WindowId::kMessageBox, ui::ctl::message_box::kMessage});
  }
  std::string ShownTitle() const { return toolkit.GetText({ui::WindowId::kMessageBox, ui::ctl::message_box::kTitle}); }
};

}  // namespace korvane::test
