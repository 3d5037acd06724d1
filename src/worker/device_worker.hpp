#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <thread>

#include "catalog/model_holder.hpp"
#include "common/text_lookup.hpp"
#include "device/device_manager.hpp"
#include "device/report_packet.hpp"
#include "device/sleeper.hpp"
#include "profiles/model_loader.hpp"
#include "worker/connection_state.hpp"
#include "worker/task_queue.hpp"
#include "worker/worker_events.hpp"

namespace korvane {

class AppSettings;
class ConfigStore;

// The application setting that marks a change of this model the mouse has
// not taken yet ("1" while pending).
std::string PendingChangeKey(int device_type);

// Everything the worker works with; owned by the controller (or korvanectl).
struct WorkerContext {
  DeviceManager& manager;
  AppSettings& settings;  // the stored current model
  TextLookup text;        // language texts the worker stores (the default profile name)
  ConfigStore& store;
  ConnectionState& state;
  WorkerEvents& events;
  TaskQueue& queue;
  WakeSignal& wake;
  Sleeper& sleeper;
  ModelSources sources;
  ModelHolder& model;
};

// The device sync worker: the one thread that talks to the mouse. It takes
// the queued task codes one at a time, first in first out, and while none
// waits it hands the mouse's unsolicited reports (link and DPI) on. It sleeps
// until a task is queued or a report arrives, so it costs nothing while
// nothing happens.
//
// Codes 1 to 5 and 20 are built in; the feature code registers the handler of
// every other code it owns. An unknown code does nothing.
class DeviceWorker final {
 public:
  // A task's operation; returns whether it succeeded (its writes were
  // acknowledged). Runs on the worker thread.
  using Handler = std::function<bool()>;
  // The mouse's DPI button report (count, index); runs on the worker thread.
  using DpiHandler = std::function<void(int count, int index)>;

  explicit DeviceWorker(WorkerContext context);
  ~DeviceWorker();

  DeviceWorker(const DeviceWorker&) = delete;
  DeviceWorker& operator=(const DeviceWorker&) = delete;

  void Register(TaskCode code, Handler handler);
  void OnDpiButton(DpiHandler handler);

  // Starting twice is a no-op. Stop waits at most 1000 ms for the current
  // step to end and discards the queued codes. It returns whether the worker
  // thread has ended (also when it never ran); false when a step outlasted
  // the wait: the thread then ends with that step, and a later Stop (or the
  // destructor) waits for it again.
  void Start();
  bool Stop();
  bool Running() const { return running_; }

  // One step: the oldest task, else one unsolicited report. Returns false
  // when there was nothing to do. The thread calls it; tests may too (with
  // the thread not started).
  bool RunStep();

  // The write of a single-packet command built from the database; on a
  // missing acknowledgement AfterWriteFailure runs. Nothing is written (false)
  // once a statement of the settings store has failed during the task, since
  // the command may hold values that could not be read. For task handlers.
  bool WriteCommand(ReportPacket& packet, std::size_t length);
  // Whether a statement of the settings store failed since the task began.
  bool StoreFailedDuringTask() const;

  // The stored settings of the current model are read from the mouse once
  // per model and program run. link_variant: run by a link report (no
  // battery reset, no receiver version read). False when the mouse is not
  // online or left a read unanswered; the reads then stop there and are all
  // done again the next time.
  bool ReadBackSettings(bool link_variant);

  // A write the mouse did not acknowledge: the change is remembered as
  // pending for the current model and the user is told.
  void AfterWriteFailure();
  // Whether a change of the current model waits to be sent.
  bool ChangePending() const;

  // Asks the mouse for its lighting effect (command 0x15) and stores it as
  // the read-back does; false when the mouse did not answer.
  bool ReadLightingBack();

  // What the worker works with, for the handlers registered by feature code.
  const WorkerContext& Context() const { return context_; }

 private:
  bool HasWork();
  void RunTask(TaskCode code);
  void DispatchNotification();

  void RescanDevices();
  bool ConnectionRefresh(TaskCode code);
  bool RemovalRefresh();
  bool SelectionRefresh();
  void RefreshConnectionState();
  void HandleLinkReport(const ReportBytes& report, int device_type);
  bool WriteEverything();
  // Writes the whole profile when a change is pending and clears the mark
  // once the mouse took it.
  void SendPendingChanges();
  bool FactoryReset();
  void LoadModel();
  unsigned DevicePages() const;
  void StoreLighting(std::span<const std::uint8_t> answer);
  bool ReadAndStore(std::uint8_t command, const std::function<void(std::span<const std::uint8_t>)>& store);

  WorkerContext context_;
  std::map<TaskCode, Handler> handlers_;
  DpiHandler dpi_handler_;
  std::atomic<bool> running_{false};
  std::atomic<bool> step_active_{false};
  std::thread thread_;
  std::uint64_t store_failures_at_task_start_ = 0;  // worker thread only
};

}  // namespace korvane
