#pragma once

#include "app/app_context.hpp"
#include "catalog/catalog_types.hpp"
#include "catalog/model_holder.hpp"
#include "worker/connection_state.hpp"
#include "device/device_manager.hpp"
#include "worker/device_worker.hpp"
#include "worker/pumped_transport.hpp"
#include "device/sleeper.hpp"
#include "worker/task_queue.hpp"
#include "store/config_store.hpp"

namespace korvane {

// The device side the main window owns: catalog, settings store, shared
// connection state (held by the caller), current model, task queue, the pumped transport and
// device manager over the given transport, and the device sync worker that
// reports to events. Members are destroyed worker first.
struct DeviceSession {
  DeviceSession(AppContext& context, HidTransport& transport, ConnectionState& state, WorkerEvents& events);

  ModelSources Sources() const;

  AppContext& context;
  DeviceCatalog catalog;
  WakeSignal wake;
  TaskQueue queue{wake};
  PumpedTransport pumped;
  DeviceManager manager{pumped};
  ConfigStore store;
  ConnectionState& state;
  ModelHolder model;
  ThreadSleeper sleeper;
  DeviceWorker worker;
};

}  // namespace korvane
