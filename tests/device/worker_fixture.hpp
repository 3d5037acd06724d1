#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "app/language_catalog.hpp"
#include "catalog/catalog_file.hpp"
#include "device/device_worker.hpp"
#include "device/pumped_transport.hpp"
#include "platform/app_settings.hpp"
#include "sim/presets.hpp"
#include "sim/virtual_bus.hpp"
#include "store/config_store.hpp"
#include "store/config_table.hpp"
#include "support/temp_dir.hpp"

namespace korvane::test {

// Every event the worker reported, as text, in order.
class RecordingEvents final : public WorkerEvents {
 public:
  void StatusChanged(int text_id) override { Add("status " + std::to_string(text_id)); }
  void DeviceListChanged() override { Add("list"); }
  void DeviceViewChanged(bool list, bool pages) override {
    Add("view " + std::to_string(list) + std::to_string(pages));
  }
  void BatteryChanged(int a, int b) override { Add("battery " + std::to_string(a) + " " + std::to_string(b)); }
  void RefreshPages(unsigned pages) override { Add("pages " + std::to_string(pages)); }
  void CloseTransientWindows() override { Add("close"); }
  void LinkChanged(int type, bool linked) override { Add("link " + std::to_string(type) + " " + std::to_string(linked)); }
  void DpiButtonPressed(int count, int index) override {
    Add("dpi " + std::to_string(count) + " " + std::to_string(index));
  }
  void TaskFinished(int code, bool ok) override { Add("done " + std::to_string(code) + " " + std::to_string(ok)); }

  std::deque<std::string> Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
  }
  bool Has(const std::string& line) const {
    const auto lines = Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  int Count(const std::string& line) const {
    const auto lines = Lines();
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
  }

 private:
  void Add(std::string line) {
    std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
  }
  mutable std::mutex mutex_;
  std::deque<std::string> lines_;
};

// The worker with everything it works with, against an in-process virtual
// bus and the shipped catalog, in a temp folder.
class WorkerFixture : public ::testing::Test {
 protected:
  const std::filesystem::path resources{KORVANE_SOURCE_DATA};
  TempDir dir;
  sim::VirtualBus bus;
  WakeSignal wake;
  TaskQueue queue{wake};
  PumpedTransport transport{bus, wake};
  DeviceManager manager{transport};
  ConfigStore store;
  ConnectionState state;
  RecordingEvents events;
  AppSettings settings{dir / "config"};
  LanguageCatalog language{resources, settings};
  DeviceCatalog catalog = LoadShippedCatalog();
  ModelHolder model;
  ThreadSleeper sleeper;
  DeviceWorker worker{WorkerContext{manager, settings, language, store, state, events, queue, wake, sleeper,
                                    ModelSources{catalog, settings, resources, dir / "data"}, model}};

  void SetUp() override {
    std::filesystem::create_directories(dir / "config");
    std::filesystem::create_directories(dir / "data" / "db");
    language.SetLanguageSet({1033});
    language.SetCurrentLcid(1033);
    state.device_list.SetModels(catalog.models);
  }

  void TearDown() override {
    worker.Stop();
    // Unplugged devices end their handles' reads at once.
    for (const auto id : bus.Devices()) bus.Unplug(id);
  }

  static DeviceCatalog LoadShippedCatalog() {
    LoadReport report;
    return ReadCatalogFile(std::filesystem::path(KORVANE_SOURCE_DATA) / "config.xml", {}, report);
  }

  // Plugs the devices of a preset, each first changed by adjust; returns
  // their ids (wired first).
  std::vector<sim::VirtualBus::DeviceId> Plug(
      sim::Preset preset, const std::function<void(sim::VirtualDevice&)>& adjust = [](sim::VirtualDevice&) {}) {
    sim::PresetOptions options;
    options.preset = preset;
    std::vector<sim::VirtualBus::DeviceId> ids;
    for (sim::VirtualDevice& device : sim::BuildPreset(resources, options).devices) {
      adjust(device);
      ids.push_back(bus.Add(device));
    }
    return ids;
  }

  // Waits (polling, for tests only) until condition holds or 5 s pass.
  template <typename Condition>
  bool WaitFor(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
  }

  bool WaitForTask(int code) {
    return WaitFor([&] { return events.Has("done " + std::to_string(code) + " 1") || events.Has("done " + std::to_string(code) + " 0"); });
  }

  // Commands the device received, in order, as hex bytes ("12 13 …").
  std::vector<std::uint8_t> Commands(sim::VirtualBus::DeviceId id) {
    std::vector<std::uint8_t> out;
    for (const sim::LoggedCommand& c : bus.State(id).log) out.push_back(c.command);
    return out;
  }

  std::string Config(const std::string& key) {
    std::string value;
    GetConfigValue(store, state.current_profile, key, value);
    return value;
  }

  // Makes the device list pick this type on the next refresh.
  void Choose(int device_type) { state.current_type = device_type; }
};

}  // namespace korvane::test
