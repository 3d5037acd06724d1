#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/app_context.hpp"
#include "app/device_session.hpp"
#include "app/hid_link.hpp"
#include "exit_codes.hpp"
#include "mouse_claim.hpp"
#include "worker/connection_state.hpp"
#include "worker/worker_events.hpp"

namespace korvane::cli {

struct CliOptions;

// Counts the tasks the worker finished and passes every event on to an
// optional listener (the watch command's printer), in order.
class TaskWaiter final : public WorkerEvents {
 public:
  explicit TaskWaiter(WorkerEvents* listener) : listener_(listener) {}

  // Waits until the worker has finished code `count` times in all; returns
  // whether the last of them succeeded, nullopt on timeout.
  std::optional<bool> WaitFinished(TaskCode code, int count, std::chrono::milliseconds timeout);
  int Finished(TaskCode code) const;

  // Keeps the listener's events back until EndHold, which passes them on or
  // drops them: the events of a scan whose outcome is not told as it was
  // (a model given up for the one connected, a reconnection).
  void Hold();
  void EndHold(bool pass_on);

  void StatusChanged(int text_id) override;
  void DeviceListChanged() override;
  void DeviceViewChanged(bool device_list_shown, bool device_pages_shown) override;
  void BatteryChanged(int battery_a, int battery_b) override;
  void RefreshPages(unsigned pages) override;
  void CloseTransientWindows() override;
  void LinkChanged(int device_type, bool linked) override;
  void DpiButtonPressed(int count, int index) override;
  void TaskFinished(TaskCode code, bool succeeded) override;

 private:
  // Calls the listener now, or keeps the call while held.
  void Tell(std::function<void(WorkerEvents&)> event);

  WorkerEvents* listener_;
  std::mutex events_mutex_;
  bool holding_ = false;
  std::vector<std::function<void(WorkerEvents&)>> held_;
  mutable std::mutex mutex_;
  std::condition_variable finished_;
  std::map<TaskCode, std::pair<int, bool>> results_;  // code -> (times, last result)
};

// A connection to the mouse as the desktop application makes it: the one
// device session over the transport --hid asks for. Commands open one,
// connect, act through the same models and tasks the pages use, and wait
// for the worker.
class CliSession final {
 public:
  // nullptr with failure set when --hid cannot be used, the mouse may not be
  // used now (the desktop application or another command holds it) or the
  // catalog cannot be read. A session that steps aside (watch) lets a
  // command that waits for the mouse have it: see Pause.
  static std::unique_ptr<CliSession> Open(const CliOptions& options, WorkerEvents* listener,
                                          std::optional<Failure>& failure, bool steps_aside = false);
  ~CliSession();

  // Ends a command: stops the worker, closes the settings database and leaves
  // the open device handles to the system, which closes them when the process
  // exits. Closing them here would wait up to a second for each reader
  // thread's blocking read.
  static void Finish(std::unique_ptr<CliSession> session);

  // Runs the start-up scan (task 1) and waits for it and the read-back.
  // With use_connected, a stored model that is not connected (or none
  // stored) gives way to the supported mouse that is, chosen by the device
  // list's rule as the desktop application's start does, and one line on
  // standard error says which. Returns the device type of the stored model
  // that gave way, if one did.
  std::optional<int> Connect(bool use_connected = true);

  // For a session that steps aside: whether a command waits for the mouse;
  // Pause stops the worker, closes the mouse and lets go of it; Resume takes
  // it back once nobody waits (false until then) and connects again, the
  // scan's events kept from the listener.
  bool OthersWaiting() const { return claim_->OthersWaiting(); }
  // Follows the mouse being plugged and unplugged (watch).
  void FollowHotplug();
  void Pause();
  bool Resume();
  // Queues a task and waits until the worker has run it; false when it
  // failed or did not finish in time.
  bool Run(TaskCode code);

  AppContext& Context() { return *context_; }
  const DeviceCatalog& Catalog() const { return session_->catalog; }
  ConnectionState& State() { return state_; }
  ConfigStore& Store() { return session_->store; }
  DeviceManager& Manager() { return session_->manager; }
  DeviceWorker& Worker() { return session_->worker; }
  TaskQueue& Queue() { return session_->queue; }
  ModelHolder& Model() { return session_->model; }
  HidTransport& Transport() { return session_->pumped; }
  // Where the transport's plugs and unplugs come from (a served virtual
  // mouse, or udev for real devices).
  HotplugSource* Hotplug() { return link_.hotplug; }
  ModelSources Sources() { return session_->Sources(); }
  // The DPI count and level last shown, as the DPI page caches them.
  DpiCache& Dpi() { return session_->dpi_cache; }
  PendingMacro& Pending() { return session_->pending_macro; }

 private:
  CliSession() = default;

  // Gives up the stored model, when it is not connected, for the one that
  // is; returns its type when it did.
  std::optional<int> UseConnectedModel(int stored);

  std::unique_ptr<AppContext> context_;
  std::unique_ptr<MouseClaim> claim_;
  bool follows_hotplug_ = false;
  HidLink link_;
  ConnectionState state_;
  std::unique_ptr<TaskWaiter> waiter_;
  std::unique_ptr<DeviceSession> session_;
};

}  // namespace korvane::cli
