#pragma once

#include <filesystem>

#include "language/language_catalog.hpp"
#include "catalog/catalog_file.hpp"
#include "worker/device_worker.hpp"
#include "worker/pumped_transport.hpp"
#include "platform/app_settings.hpp"
#include "sim/presets.hpp"
#include "sim/virtual_bus.hpp"
#include "store/config_store.hpp"
#include "support/temp_dir.hpp"

namespace korvane::test {

// The device worker with everything it works with, over an in-process
// virtual bus and the shipped catalog, its files in a temp folder. Tests and
// benchmarks plug virtual mice into `bus` and queue tasks on `queue`.
struct WorkerRig {
  explicit WorkerRig(WorkerEvents& events)
      : worker{WorkerContext{manager, settings, language.Lookup(), store, state, events, queue, wake, sleeper,
                             ModelSources{catalog, settings, resources, dir / "data"}, model}} {
    std::filesystem::create_directories(dir / "config");
    std::filesystem::create_directories(dir / "data" / "db");
    language.SetLanguageSet({1033});
    language.SetCurrentLcid(1033);
    state.device_list.SetModels(catalog.models);
  }

  ~WorkerRig() {
    worker.Stop();
    // Unplugged devices end their handles' reads at once, so the reader
    // threads are done before the transport waits for them.
    for (const auto id : bus.Devices()) bus.Unplug(id);
  }

  static DeviceCatalog ShippedCatalog() {
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

  const std::filesystem::path resources{KORVANE_SOURCE_DATA};
  TempDir dir;
  sim::VirtualBus bus;
  WakeSignal wake;
  TaskQueue queue{wake};
  PumpedTransport transport{bus, wake};
  DeviceManager manager{transport};
  ConfigStore store;
  ConnectionState state;
  AppSettings settings{dir / "config"};
  LanguageCatalog language{resources, settings};
  DeviceCatalog catalog = ShippedCatalog();
  ModelHolder model;
  ThreadSleeper sleeper;
  DeviceWorker worker;
};

}  // namespace korvane::test
