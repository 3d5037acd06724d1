#include "device/pumped_transport.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <thread>

#include "device/task_queue.hpp"

namespace korvane {

namespace {

// Longest input report of the configuration and update interfaces.
constexpr std::size_t kMaxReport = 65;
// Reports nobody reads (a second interface while another is current) are
// dropped oldest first beyond this many; enough that a flood of the mouse's
// own reports does not push out an answer the worker is about to read.
constexpr std::size_t kMaxBuffered = 1024;

// What a pump shares with its handle; it lives until both are done.
struct Pump {
  std::unique_ptr<HidHandle> inner;
  WakeSignal* wake = nullptr;
  std::mutex mutex;
  std::condition_variable arrived;
  std::deque<std::vector<std::uint8_t>> reports;
  bool gone = false;
  std::atomic<bool> ready{false};
  std::atomic<bool> closing{false};

  void Run() {
    std::vector<std::uint8_t> buffer(kMaxReport);
    while (!closing) {
      const int n = inner->Read(buffer, PumpedTransport::kPumpReadTimeoutMs);
      if (n == 0) continue;
      {
        std::lock_guard lock(mutex);
        if (n < 0) {
          gone = true;
        } else {
          if (reports.size() == kMaxBuffered) reports.pop_front();
          reports.emplace_back(buffer.begin(), buffer.begin() + n);
        }
        ready = true;
      }
      arrived.notify_all();
      wake->Notify();
      if (n < 0) return;
    }
  }
};

class PumpedHandle final : public HidHandle {
 public:
  explicit PumpedHandle(std::shared_ptr<Pump> pump) : pump_(std::move(pump)) {}
  ~PumpedHandle() override { pump_->closing = true; }

  int Write(std::span<const std::uint8_t> report) override { return pump_->inner->Write(report); }

  int Read(std::span<std::uint8_t> buffer, int timeout_ms) override {
    Pump& pump = *pump_;
    std::unique_lock lock(pump.mutex);
    auto has_input = [&] { return !pump.reports.empty() || pump.gone; };
    if (timeout_ms < 0) {
      pump.arrived.wait(lock, has_input);
    } else if (!pump.arrived.wait_for(lock, std::chrono::milliseconds(timeout_ms), has_input)) {
      return 0;
    }
    if (pump.reports.empty()) return -1;
    const std::vector<std::uint8_t> report = std::move(pump.reports.front());
    pump.reports.pop_front();
    pump.ready = !pump.reports.empty() || pump.gone;
    const std::size_t n = std::min(report.size(), buffer.size());
    std::copy_n(report.begin(), n, buffer.begin());
    return static_cast<int>(n);
  }

  std::string ProductString() override { return pump_->inner->ProductString(); }

  bool InputReady() const { return pump_->ready; }

 private:
  std::shared_ptr<Pump> pump_;
};

}  // namespace

PumpedTransport::PumpedTransport(HidTransport& inner, WakeSignal& wake) : inner_(inner), wake_(wake) {}

PumpedTransport::~PumpedTransport() {
  std::unique_lock lock(pumps_->mutex);
  pumps_->ended.wait(lock, [&] { return pumps_->running == 0; });
}

std::vector<HidInterfaceInfo> PumpedTransport::Enumerate() { return inner_.Enumerate(); }

std::optional<HidInterfaceInfo> PumpedTransport::Probe(const std::string& path) { return inner_.Probe(path); }

std::unique_ptr<HidHandle> PumpedTransport::Open(const std::string& path) {
  auto inner = inner_.Open(path);
  if (!inner) return nullptr;
  auto pump = std::make_shared<Pump>();
  pump->inner = std::move(inner);
  pump->wake = &wake_;
  {
    std::lock_guard lock(pumps_->mutex);
    ++pumps_->running;
  }
  std::thread([pump, pumps = pumps_]() mutable {
    pump->Run();
    // The real handle closes with the last of the pump and its handle: here
    // when the handle was closed first, else when the handle is closed.
    pump.reset();
    std::lock_guard lock(pumps->mutex);
    --pumps->running;
    pumps->ended.notify_all();
  }).detach();
  return std::make_unique<PumpedHandle>(std::move(pump));
}

bool PumpedTransport::InputReady(const HidHandle* handle) {
  const auto* pumped = dynamic_cast<const PumpedHandle*>(handle);
  return pumped && pumped->InputReady();
}

}  // namespace korvane
