#include "cli_session.hpp"

#include "catalog/current_model.hpp"
#include "cli_options.hpp"
#include "platform/paths.hpp"
#include "platform/single_instance.hpp"

namespace korvane::cli {

namespace {
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

void TaskWaiter::StatusChanged(int text_id) {
  if (listener_) listener_->StatusChanged(text_id);
}
void TaskWaiter::DeviceListChanged() {
  if (listener_) listener_->DeviceListChanged();
}
void TaskWaiter::DeviceViewChanged(bool device_list_shown, bool device_pages_shown) {
  if (listener_) listener_->DeviceViewChanged(device_list_shown, device_pages_shown);
}
void TaskWaiter::BatteryChanged(int battery_a, int battery_b) {
  if (listener_) listener_->BatteryChanged(battery_a, battery_b);
}
void TaskWaiter::RefreshPages(unsigned pages) {
  if (listener_) listener_->RefreshPages(pages);
}
void TaskWaiter::CloseTransientWindows() {
  if (listener_) listener_->CloseTransientWindows();
}
void TaskWaiter::LinkChanged(int device_type, bool linked) {
  if (listener_) listener_->LinkChanged(device_type, linked);
}
void TaskWaiter::DpiButtonPressed(int count, int index) {
  if (listener_) listener_->DpiButtonPressed(count, index);
}
void TaskWaiter::TaskFinished(TaskCode code, bool succeeded) {
  {
    std::lock_guard lock(mutex_);
    auto& [times, last] = results_[code];
    ++times;
    last = succeeded;
  }
  finished_.notify_all();
  if (listener_) listener_->TaskFinished(code, succeeded);
}

std::unique_ptr<CliSession> CliSession::Open(const CliOptions& options, WorkerEvents* listener,
                                             std::optional<Failure>& failure) {
  failure = HidFailure(options);
  if (failure) return nullptr;
  std::unique_ptr<CliSession> session(new CliSession());
  session->context_ = OpenContext(options);
  AppContext& context = *session->context_;

  // The desktop application owns the mouse while it runs; a second
  // korvanectl waits for the first to finish.
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
  const auto device_lock_path = DeviceLockPath(*runtime_folder, caption);
  session->device_lock_ = std::make_unique<FileLock>(device_lock_path);
  if (!session->device_lock_->Usable()) {
    failure = Failure("cannot open the device lock " + device_lock_path.string(), ExitCode::kFile);
    return nullptr;
  }
  if (!session->device_lock_->TryLock()) {
    PrintError("another command is using the mouse; waiting up to " + std::to_string(kDeviceLockWait.count()) +
               " s for it to finish");
    if (!session->device_lock_->LockWithin(kDeviceLockWait)) {
      failure = Failure(
          "another command (korvanectl watch, perhaps) is still using the mouse; try again when it has finished",
          ExitCode::kNoMouse);
      return nullptr;
    }
  }

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

void CliSession::Connect() {
  Queue().Push(kTaskStartupScan);
  Worker().Start();
  waiter_->WaitFinished(kTaskStartupScan, 1, kTaskTimeout);
}

bool CliSession::Run(TaskCode code) {
  const int before = waiter_->Finished(code);
  Queue().Push(code);
  return waiter_->WaitFinished(code, before + 1, kTaskTimeout).value_or(false);
}

}  // namespace korvane::cli
