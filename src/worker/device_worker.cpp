#include "worker/device_worker.hpp"

#include <chrono>
#include <condition_variable>

#include "device/report_decoders.hpp"
#include "store/config_store.hpp"
#include "worker/pumped_transport.hpp"

namespace korvane {

namespace {
constexpr auto kStopWait = std::chrono::milliseconds(1000);
}

DeviceWorker::DeviceWorker(WorkerContext context) : context_(context) {}

DeviceWorker::~DeviceWorker() {
  Stop();
  if (thread_.joinable()) thread_.join();
}

void DeviceWorker::Register(TaskCode code, Handler handler) { handlers_[code] = std::move(handler); }

void DeviceWorker::OnDpiButton(DpiHandler handler) { dpi_handler_ = std::move(handler); }

void DeviceWorker::Start() {
  if (running_.exchange(true)) return;
  if (thread_.joinable()) thread_.join();
  thread_ = std::thread([this] {
    while (running_) {
      context_.wake.WaitUntil([this] { return !running_ || HasWork(); });
      // Marked active before running_ is checked again, so Stop either sees
      // the step or the step is not run.
      step_active_ = true;
      if (!running_) {
        step_active_ = false;
        break;
      }
      RunStep();
      step_active_ = false;
    }
    context_.wake.Notify();
  });
}

bool DeviceWorker::Stop() {
  if (running_.exchange(false)) {
    context_.wake.Notify();
  } else if (!thread_.joinable()) {
    return true;
  }
  // A step may be inside a long exchange; it is waited for at most a second.
  const auto deadline = std::chrono::steady_clock::now() + kStopWait;
  const bool ended = context_.wake.WaitUntil([this] { return !step_active_; }, deadline);
  if (ended) thread_.join();
  context_.queue.Clear();
  return ended;
}

bool DeviceWorker::HasWork() {
  if (!context_.queue.Empty()) return true;
  return context_.state.notify_polling &&
         context_.manager.NotificationWaiting([](const HidHandle* h) { return PumpedTransport::InputReady(h); });
}

bool DeviceWorker::RunStep() {
  if (const auto code = context_.queue.Pop()) {
    RunTask(*code);
    return true;
  }
  if (!context_.state.notify_polling) return false;
  DispatchNotification();
  return true;
}

void DeviceWorker::RunTask(TaskCode code) {
  store_failures_at_task_start_ = context_.store.Failures();
  bool succeeded = false;
  switch (code) {
    case kTaskStartupScan:
    case kTaskArrivalScan:
      succeeded = ConnectionRefresh(code);
      break;
    case kTaskRemovalRefresh:
      succeeded = RemovalRefresh();
      break;
    case kTaskSelectDevice:
      succeeded = SelectionRefresh();
      break;
    case kTaskWriteProfile:
      succeeded = WriteEverything();
      break;
    case kTaskFactoryReset:
      succeeded = FactoryReset();
      break;
    default: {
      const auto it = handlers_.find(code);
      if (it == handlers_.end()) return;
      succeeded = it->second();
    }
  }
  context_.events.TaskFinished(code, succeeded);
}

void DeviceWorker::DispatchNotification() {
  ReportBytes report{};
  int device_type = 0;
  context_.manager.ReadNotification(report, device_type);
  if (const auto dpi = DecodeDpiReport(report)) {
    if (dpi_handler_) dpi_handler_(dpi->count, dpi->index);
    context_.events.DpiButtonPressed(dpi->count, dpi->index);
  } else if (report[0] == report::kLinkReport) {
    HandleLinkReport(report, device_type);
  }
}

bool DeviceWorker::StoreFailedDuringTask() const { return context_.store.Failures() != store_failures_at_task_start_; }

bool DeviceWorker::WriteCommand(ReportPacket& packet, std::size_t length) {
  // A command built from settings the store could not read would carry
  // zeros; nothing is sent, and it is no fault of the mouse.
  if (StoreFailedDuringTask()) return false;
  const bool acknowledged = context_.manager.Exchange(packet, length);
  if (!acknowledged) AfterWriteFailure();
  return acknowledged;
}

}  // namespace korvane
