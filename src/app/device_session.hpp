#pragma once

#include "app/app_context.hpp"
#include "buttons/pending_macro.hpp"
#include "catalog/catalog_types.hpp"
#include "catalog/load_report.hpp"
#include "catalog/model_holder.hpp"
#include "device/device_manager.hpp"
#include "device/sleeper.hpp"
#include "performance/dpi_model.hpp"
#include "store/config_store.hpp"
#include "worker/connection_state.hpp"
#include "worker/device_worker.hpp"
#include "worker/pumped_transport.hpp"
#include "worker/task_queue.hpp"

namespace korvane {

// The device side of a program, built the same way for the desktop
// application, korvanectl and the tests: the catalog read from config.xml
// (its interfaces registered with the device manager), the task queue, the
// pumped transport and the device manager over the given transport, the
// settings store, the current model, the state the features share and the
// device sync worker with every feature's handlers, reporting to events.
// The transport and the shared connection state belong to the caller and
// outlive the session. Members are destroyed worker first.
class DeviceSession final {
 public:
  DeviceSession(AppContext& context, HidTransport& transport, ConnectionState& state, WorkerEvents& events);
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  ModelSources Sources() const;

  AppContext& context;
  LoadReport catalog_report;
  DeviceCatalog catalog;
  WakeSignal wake;
  TaskQueue queue{wake};
  PumpedTransport pumped;
  DeviceManager manager{pumped};
  ConfigStore store;
  ConnectionState& state;
  ModelHolder model;
  ThreadSleeper sleeper;
  // The DPI count and level last shown, shared by the DPI button's reports
  // and the DPI page.
  DpiCache dpi_cache;
  // The macro the next button-table write sends first.
  PendingMacro pending_macro;
  DeviceWorker worker;
};

}  // namespace korvane
