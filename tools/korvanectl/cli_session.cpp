#include "cli_session.hpp"

#include "catalog/current_model.hpp"
#include "cli_options.hpp"
#include "platform/file_lock.hpp"
#include "platform/paths.hpp"
#include "platform/single_instance.hpp"
#include "worker/hotplug.hpp"

namespace korvane::cli {

namespace {
// No model has device type 0: with it, the device list picks the model that
// is connected.
constexpr int kNoModelType = 0;
// Longest wait for one task: a refresh with a read-back of eight commands,
// each of which may take its full acknowledgement window.
constexpr auto kTaskTimeout = std::chrono::seconds(20);
}  // namespace

// A finished session, kept reachable until the process ends and never
// destroyed (see Finish).
CliSession* left_open = nullptr;

std::optional<bool> TaskWaiter::WaitFinished(TaskCode code, int count, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  if (!finished_.wait_for(lock, timeout, [&] { return results_[code].first >= count; })) return std::nullopt;
  return results_[code].second;
}

int TaskWaiter::Finished(TaskCode code) const {
  std::lock_guard lock(mutex_);
  const auto it = results_.find(code);
  return it == results_.end() ? 0 : it->second.first;
}

void TaskWaiter::Hold() {
  std::lock_guard lock(events_mutex_);
  holding_ = true;
}

void TaskWaiter::EndHold(bool pass_on) {
  std::lock_guard lock(events_mutex_);
  if (pass_on && listener_) {
    for (const auto& event : held_) event(*listener_);
  }
  held_.clear();
  holding_ = false;
}

void TaskWaiter::Tell(std::function<void(WorkerEvents&)> event) {
  if (!listener_) return;
  std::lock_guard lock(events_mutex_);
  if (holding_) {
    held_.push_back(std::move(event));
  } else {
    event(*listener_);
  }
}

void TaskWaiter::StatusChanged(int text_id) {
  Tell([=](WorkerEvents& l) { l.StatusChanged(text_id); });
}
void TaskWaiter::DeviceListChanged() {
  Tell([](WorkerEvents& l) { l.DeviceListChanged(); });
}
void TaskWaiter::DeviceViewChanged(bool device_list_shown, bool device_pages_shown) {
  Tell([=](WorkerEvents& l) { l.DeviceViewChanged(device_list_shown, device_pages_shown); });
}
void TaskWaiter::BatteryChanged(int battery_a, int battery_b) {
  Tell([=](WorkerEvents& l) { l.BatteryChanged(battery_a, battery_b); });
}
void TaskWaiter::RefreshPages(unsigned pages) {
  Tell([=](WorkerEvents& l) { l.RefreshPages(pages); });
}
void TaskWaiter::CloseTransientWindows() {
  Tell([](WorkerEvents& l) { l.CloseTransientWindows(); });
}
void TaskWaiter::LinkChanged(int device_type, bool linked) {
  Tell([=](WorkerEvents& l) { l.LinkChanged(device_type, linked); });
}
void TaskWaiter::DpiButtonPressed(int count, int index) {
  Tell([=](WorkerEvents& l) { l.DpiButtonPressed(count, index); });
}
void TaskWaiter::TaskFinished(TaskCode code, bool succeeded) {
  // Told (or held) before the task counts as finished, so that a hold the
  // waiting thread ends next has the task's own event.
  Tell([=](WorkerEvents& l) { l.TaskFinished(code, succeeded); });
  {
    std::lock_guard lock(mutex_);
    auto& [times, last] = results_[code];
    ++times;
    last = succeeded;
  }
  finished_.notify_all();
}

std::unique_ptr<CliSession> CliSession::Open(const CliOptions& options, WorkerEvents* listener,
                                             std::optional<Failure>& failure, bool steps_aside) {
  failure = HidFailure(options);
  if (failure) return nullptr;
  std::unique_ptr<CliSession> session(new CliSession());
  session->context_ = OpenContext(options);
  AppContext& context = *session->context_;

  // The desktop application owns the mouse while it runs; korvanectl
  // commands take turns (see MouseClaim).
  const std::string& caption = context.Caption();
  std::string error;
  const auto runtime_folder = SingleInstance::RuntimeFolder(error);
  if (!runtime_folder) {
    failure = Failure(error, ExitCode::kFile);
    return nullptr;
  }
  const auto instance_lock =
      *runtime_folder / (PathComponent(caption.empty() ? std::string("korvane") : caption) + ".lock");
  if (FileLock::HeldElsewhere(instance_lock)) {
    failure =
        Failure("the desktop application is running and owns the mouse; use it, or quit it first", ExitCode::kNoMouse);
    return nullptr;
  }
  session->claim_ = MouseClaim::Take(*runtime_folder, caption, CommandName(options), steps_aside, failure);
  if (!session->claim_) return nullptr;

  EnsureDirectory(context.DatabaseFolder());
  session->link_ = OpenHidLink(options.hid);
  session->state_.current_type = GetCurrentType(context.Settings());
  session->waiter_ = std::make_unique<TaskWaiter>(listener);
  session->session_ =
      std::make_unique<DeviceSession>(context, *session->link_.transport, session->state_, *session->waiter_);
  const LoadReport& report = session->session_->catalog_report;
  if (!report.loaded) {
    failure = Failure("cannot read " + report.file.string() + ": " + report.error, ExitCode::kFile);
    return nullptr;
  }
  return session;
}

CliSession::~CliSession() {
  if (session_) session_->worker.Stop();
}

void CliSession::Finish(std::unique_ptr<CliSession> session) {
  session->Worker().Stop();
  // The settings database is closed all the same, so that its journal is
  // folded back into the file rather than left beside it.
  session->Store().Close();
  left_open = session.release();
}

std::optional<int> CliSession::Connect(bool use_connected) {
  const int stored = state_.current_type;
  // The scan's events reach the listener only once it is known whether
  // they tell the model that stays.
  waiter_->Hold();
  Queue().Push(kTaskStartupScan);
  Worker().Start();
  waiter_->WaitFinished(kTaskStartupScan, 1, kTaskTimeout);
  if (use_connected) return UseConnectedModel(stored);
  waiter_->EndHold(true);
  return std::nullopt;
}

std::optional<int> CliSession::UseConnectedModel(int stored) {
  const CatalogEntry* stored_model = FindModel(Catalog(), stored);
  const auto stored_row = state_.device_list.RowOf(stored);
  if (stored_model && !(stored_row && stored_row->online) && state_.device_list.OnlineCount() > 0) {
    // No model type is stored now, so the scan's device list picks the
    // first model that is online, as at the desktop application's start.
    waiter_->EndHold(false);
    state_.current_type = kNoModelType;
    Run(kTaskArrivalScan);
  } else {
    waiter_->EndHold(true);
  }
  const int chosen = state_.current_type;
  const CatalogEntry* chosen_model = FindModel(Catalog(), chosen);
  if (chosen == stored || !chosen_model) return std::nullopt;
  PrintError("using " + chosen_model->name +
             (stored_model ? " (the stored model " + stored_model->name + " is not connected)"
                           : " (no model was chosen before)"));
  if (!stored_model) return std::nullopt;
  return stored;
}

void CliSession::FollowHotplug() {
  HotplugSource* hotplug = Hotplug();
  if (!hotplug) return;
  follows_hotplug_ = true;
  hotplug->SetListener(
      [this](const HotplugEvent& event) { UpdateUSBDevice(event, Catalog(), Transport(), State(), Queue()); });
}

void CliSession::Pause() {
  if (HotplugSource* hotplug = Hotplug()) hotplug->SetListener(nullptr);
  // A step inside a long exchange still talks to the mouse: wait for it.
  while (!Worker().Stop()) {
  }
  Manager().CloseAll();
  claim_->Release();
}

bool CliSession::Resume() {
  if (!claim_->Retake()) return false;
  if (follows_hotplug_) FollowHotplug();
  waiter_->Hold();
  Worker().Start();
  Run(kTaskStartupScan);
  waiter_->EndHold(false);
  return true;
}

bool CliSession::Run(TaskCode code) {
  const int before = waiter_->Finished(code);
  Queue().Push(code);
  return waiter_->WaitFinished(code, before + 1, kTaskTimeout).value_or(false);
}

}  // namespace korvane::cli
