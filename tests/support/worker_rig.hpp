#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "app/app_context.hpp"
#include "app/device_session.hpp"
#include "sim/presets.hpp"
#include "sim/virtual_bus.hpp"
#include "support/temp_dir.hpp"

namespace korvane::test {

// The device session the programs use, over an in-process virtual bus and
// the shipped catalog, its files in a temp folder and its texts in English.
// Tests and benchmarks plug virtual mice into `bus` and queue tasks on
// `queue`; the other names reach into the session.
struct WorkerRig {
  explicit WorkerRig(WorkerEvents& events)
      : context(ContextOptions(dir.path())), session(std::make_unique<DeviceSession>(context, bus, state, events)) {
    std::filesystem::create_directories(dir / "data" / "db");
    context.Language().SetCurrentLcid(1033);
  }

  ~WorkerRig() {
    worker.Stop();
    // Unplugged devices end their handles' reads at once, so the reader
    // threads are done before the transport waits for them.
    for (const auto id : bus.Devices()) bus.Unplug(id);
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

  static AppContextOptions ContextOptions(const std::filesystem::path& dir) {
    AppContextOptions options;
    options.resources = KORVANE_SOURCE_DATA;
    options.data_dir = dir / "data";
    options.config_dir = dir / "config";
    return options;
  }

  const std::filesystem::path resources{KORVANE_SOURCE_DATA};
  TempDir dir;
  sim::VirtualBus bus;
  ConnectionState state;
  AppContext context;
  std::unique_ptr<DeviceSession> session;
  AppSettings& settings = context.Settings();
  LanguageCatalog& language = context.Language();
  const DeviceCatalog& catalog = session->catalog;
  WakeSignal& wake = session->wake;
  TaskQueue& queue = session->queue;
  PumpedTransport& transport = session->pumped;
  DeviceManager& manager = session->manager;
  ConfigStore& store = session->store;
  ModelHolder& model = session->model;
  DeviceWorker& worker = session->worker;
};

}  // namespace korvane::test
