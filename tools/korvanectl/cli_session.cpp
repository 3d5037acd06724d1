#include "cli_session.hpp"

#include <iostream>

#include "catalog/catalog_file.hpp"
#include "catalog/current_model.hpp"
#include "cli_options.hpp"
#include "device/report_log.hpp"
#include "performance/performance_tasks.hpp"
#include "platform/paths.hpp"
#include "platform/single_instance.hpp"
#include "platform/udev_hotplug.hpp"
#include "sim/transport_select.hpp"

namespace korvane::cli {

namespace {
// Longest wait for one task: a refresh with a read-back of eight commands,
// each of which may take its full acknowledgement window.
constexpr auto kTaskTimeout = std::chrono::seconds(20);
}  // namespace

// A finished session, kept reachable until the process ends and never
// destroyed (see Finish).
CliSession* left_open = nullptr;

std::optional<bool> TaskWaiter::WaitFinished(int code, int count, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  if (!finished_.wait_for(lock, timeout, [&] { return results_[code].first >= count; })) return std::nullopt;
  return results_[code].second;
}

int TaskWaiter::Finished(int code) const {
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
void TaskWaiter::TaskFinished(int code, bool succeeded) {
  {
    std::lock_guard lock(mutex_);
    auto& [times, last] = results_[code];
    ++times;
    last = succeeded;
  }
  finished_.notify_all();
  if (listener_) listener_->TaskFinished(code, succeeded);
}

std::unique_ptr<CliSession> CliSession::Open(const CliOptions& options, WorkerEvents* listener, std::string& error) {
  std::unique_ptr<CliSession> session(new CliSession());
  session->context_ = OpenContext(options);
  AppContext& context = *session->context_;

  // The desktop application owns the mouse while it runs; a second
  // korvanectl waits for the first to finish.
  const std::string& caption = context.Caption();
  const auto instance_lock =
      SingleInstance::RuntimeFolder() / (PathComponent(caption.empty() ? std::string("korvane") : caption) + ".lock");
  if (FileLock::HeldElsewhere(instance_lock)) {
    error = "the desktop application is running and owns the mouse; use it, or quit it first";
    return nullptr;
  }
  session->device_lock_ = std::make_unique<FileLock>(DeviceLockPath(caption));
  session->device_lock_->Lock();

  LoadReport report;
  session->catalog_ = ReadCatalogFile(CatalogFilePath(context.Resources()), context.SkinFolder(), report);
  if (!report.loaded) {
    error = "cannot read " + report.file.string() + ": " + report.error;
    return nullptr;
  }
  EnsureDirectory(context.DatabaseFolder());

  std::unique_ptr<HidTransport> transport = sim::SelectTransport(options.hid);
  session->hotplug_ = dynamic_cast<HotplugSource*>(transport.get());
  if (!session->hotplug_) {
    session->udev_ = std::make_unique<UdevHotplugSource>();
    session->hotplug_ = session->udev_.get();
  }
  if (ReportLogRequested()) transport = WithReportLog(std::move(transport), std::cerr);
  session->transport_ = std::move(transport);
  session->pumped_ = std::make_unique<PumpedTransport>(*session->transport_, session->wake_);
  session->manager_ = std::make_unique<DeviceManager>(*session->pumped_);
  session->state_.current_type = GetCurrentType(context.Settings());
  session->state_.device_list.SetModels(session->catalog_.models);
  session->waiter_ = std::make_unique<TaskWaiter>(listener);
  session->worker_ = std::make_unique<DeviceWorker>(WorkerContext{
      *session->manager_, context.Settings(), context.Language().Lookup(), session->store_, session->state_,
      *session->waiter_, session->queue_, session->wake_, session->sleeper_, session->Sources(), session->model_});
  RegisterPerformanceHandlers(*session->worker_, session->dpi_cache_);
  return session;
}

CliSession::~CliSession() {
  if (worker_) worker_->Stop();
  worker_.reset();
  manager_.reset();
}

void CliSession::Finish(std::unique_ptr<CliSession> session) {
  session->worker_->Stop();
  left_open = session.release();
}

ModelSources CliSession::Sources() {
  return ModelSources{catalog_, context_->Settings(), context_->Resources(), context_->DataFolder()};
}

void CliSession::Connect() {
  queue_.Push(kTaskStartupScan);
  worker_->Start();
  waiter_->WaitFinished(kTaskStartupScan, 1, kTaskTimeout);
}

bool CliSession::Run(int code) {
  const int before = waiter_->Finished(code);
  queue_.Push(code);
  return waiter_->WaitFinished(code, before + 1, kTaskTimeout).value_or(false);
}

}  // namespace korvane::cli
