#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "app/app_context.hpp"
#include "catalog/catalog_types.hpp"
#include "catalog/model_holder.hpp"
#include "worker/connection_state.hpp"
#include "device/device_manager.hpp"
#include "worker/device_worker.hpp"
#include "platform/hotplug_source.hpp"
#include "worker/pumped_transport.hpp"
#include "worker/task_queue.hpp"
#include "performance/dpi_model.hpp"
#include "platform/file_lock.hpp"
#include "store/config_store.hpp"

namespace korvane::cli {

struct CliOptions;

// Counts the tasks the worker finished and passes every event on to an
// optional listener (the watch command's printer).
class TaskWaiter final : public WorkerEvents {
 public:
  explicit TaskWaiter(WorkerEvents* listener) : listener_(listener) {}

  // Waits until the worker has finished code `count` times in all; returns
  // whether the last of them succeeded, nullopt on timeout.
  std::optional<bool> WaitFinished(int code, int count, std::chrono::milliseconds timeout);
  int Finished(int code) const;

  void StatusChanged(int text_id) override;
  void DeviceListChanged() override;
  void DeviceViewChanged(bool device_list_shown, bool device_pages_shown) override;
  void BatteryChanged(int battery_a, int battery_b) override;
  void RefreshPages(unsigned pages) override;
  void CloseTransientWindows() override;
  void LinkChanged(int device_type, bool linked) override;
  void DpiButtonPressed(int count, int index) override;
  void TaskFinished(int code, bool succeeded) override;

 private:
  WorkerEvents* listener_;
  mutable std::mutex mutex_;
  std::condition_variable finished_;
  std::map<int, std::pair<int, bool>> results_;  // code -> (times, last result)
};

// A connection to the mouse as the desktop application makes it: the
// catalog, the settings store, the device manager and the device worker,
// over the transport --hid asks for. Commands open one, connect, act through
// the same models and tasks the pages use, and wait for the worker.
class CliSession final {
 public:
  // nullptr with error set when the mouse may not be used now (the desktop
  // application holds it) or the catalog cannot be read.
  static std::unique_ptr<CliSession> Open(const CliOptions& options, WorkerEvents* listener, std::string& error);
  ~CliSession();

  // Ends a command: stops the worker and leaves the open device handles to
  // the system, which closes them when the process exits. Closing them here
  // would wait up to a second for each reader thread's blocking read.
  static void Finish(std::unique_ptr<CliSession> session);

  // Runs the start-up scan (task 1) and waits for it and the read-back.
  void Connect();
  // Queues a task and waits until the worker has run it; false when it
  // failed or did not finish in time.
  bool Run(int code);

  AppContext& Context() { return *context_; }
  const DeviceCatalog& Catalog() const { return catalog_; }
  ConnectionState& State() { return state_; }
  ConfigStore& Store() { return store_; }
  DeviceManager& Manager() { return *manager_; }
  DeviceWorker& Worker() { return *worker_; }
  TaskQueue& Queue() { return queue_; }
  ModelHolder& Model() { return model_; }
  HidTransport& Transport() { return *pumped_; }
  // The transport's hot-plug events, when it has them (a served virtual
  // mouse, or udev for real devices).
  HotplugSource* Hotplug() { return hotplug_; }
  ModelSources Sources();
  // The DPI count and level last shown, as the DPI page caches them.
  DpiCache& Dpi() { return dpi_cache_; }

 private:
  CliSession() = default;

  std::unique_ptr<AppContext> context_;
  std::unique_ptr<FileLock> device_lock_;
  DeviceCatalog catalog_;
  WakeSignal wake_;
  TaskQueue queue_{wake_};
  std::unique_ptr<HidTransport> transport_;
  std::unique_ptr<HotplugSource> udev_;
  HotplugSource* hotplug_ = nullptr;
  std::unique_ptr<PumpedTransport> pumped_;
  std::unique_ptr<DeviceManager> manager_;
  ConfigStore store_;
  ConnectionState state_;
  ModelHolder model_;
  ThreadSleeper sleeper_;
  DpiCache dpi_cache_;
  std::unique_ptr<TaskWaiter> waiter_;
  std::unique_ptr<DeviceWorker> worker_;
};

}  // namespace korvane::cli
