#include "worker/pumped_transport.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <thread>

#include "worker/task_queue.hpp"

namespace korvane {

namespace {

// Longest input report of the configuration and update interfaces.
constexpr std::size_t kMaxReport = 65;
// Reports nobody reads (a second interface while another is current) are
// dropped oldest first beyond this many; enough that a flood of the mouse's
// own reports does not push out an answer the worker is about to read.
constexpr std::size_t kMaxBuffered = 1024;

using Clock = std::chrono::steady_clock;

// What a pump shares with its handle; it lives until both are done. Every
// member below the mutex is guarded by it.
struct Pump {
  std::unique_ptr<HidHandle> inner;
  WakeSignal* wake = nullptr;
  std::mutex mutex;
  // Reports arrived, the device is gone, the pump stood aside or may read
  // again, or the handle is closing.
  std::condition_variable changed;
  std::deque<std::vector<std::uint8_t>> reports;
  bool gone = false;
  bool pump_reading = false;
  // The handle's user reads the real handle itself; the pump stands aside
  // until the user waits for input again (see InputReady).
  bool reads_taken = false;
  // The user is in a read of the real handle, and interrupts of the user's
  // reads not used yet.
  bool user_reading = false;
  int user_interrupts = 0;
  bool closing = false;
  std::atomic<bool> ready{false};

  void Run() {
    std::vector<std::uint8_t> buffer(kMaxReport);
    std::unique_lock lock(mutex);
    for (;;) {
      changed.wait(lock, [&] { return closing || !reads_taken; });
      if (closing) return;
      pump_reading = true;
      lock.unlock();
      const int n = inner->Read(buffer, -1);
      lock.lock();
      pump_reading = false;
      if (n != 0) Keep(std::span(buffer).first(static_cast<std::size_t>(std::max(n, 0))), n < 0);
      changed.notify_all();
      if (n != 0) {
        lock.unlock();
        wake->Notify();
        lock.lock();
      }
      if (n < 0) return;
    }
  }

  // Buffers a report, or notes that the device is gone. Locked.
  void Keep(std::span<const std::uint8_t> report, bool device_gone) {
    if (device_gone) {
      gone = true;
    } else {
      if (reports.size() == kMaxBuffered) reports.pop_front();
      reports.emplace_back(report.begin(), report.end());
    }
    ready = true;
  }

  // Hands out the oldest buffered report, else -1 for a gone device. Locked;
  // only when one of them holds.
  int Take(std::span<std::uint8_t> buffer) {
    if (reports.empty()) return -1;
    const std::vector<std::uint8_t> report = std::move(reports.front());
    reports.pop_front();
    ready = !reports.empty() || gone;
    const std::size_t n = std::min(report.size(), buffer.size());
    std::copy_n(report.begin(), n, buffer.begin());
    return static_cast<int>(n);
  }

  bool HasInput() const { return !reports.empty() || gone; }

  // From now on the handle's user reads the real handle; a read of the pump
  // in progress is ended. Locked.
  void TakeReadingOver() {
    if (reads_taken) return;
    reads_taken = true;
    if (pump_reading) inner->InterruptRead();
  }

  // Uses up one interrupt of the user's reads, if one is there. Locked.
  bool TakeUserInterrupt() {
    if (user_interrupts == 0) return false;
    --user_interrupts;
    return true;
  }
};

class PumpedHandle final : public HidHandle {
 public:
  explicit PumpedHandle(std::shared_ptr<Pump> pump) : pump_(std::move(pump)) {}

  ~PumpedHandle() override {
    {
      std::lock_guard lock(pump_->mutex);
      pump_->closing = true;
      if (pump_->pump_reading) pump_->inner->InterruptRead();
    }
    pump_->changed.notify_all();
  }

  PumpedHandle(const PumpedHandle&) = delete;
  PumpedHandle& operator=(const PumpedHandle&) = delete;

  // A write is followed by a read of its answer: the reading is taken over
  // before the report goes out, so the pump stands aside while the device
  // works on it rather than when the answer is due.
  int Write(std::span<const std::uint8_t> report) override {
    {
      std::lock_guard lock(pump_->mutex);
      pump_->TakeReadingOver();
    }
    return pump_->inner->Write(report);
  }

  // Buffered reports first; else the caller takes the reading over: the
  // pump's read is interrupted and, once the pump stands aside, the caller
  // reads the real handle itself, now and in every later Read until it
  // waits for input again. An answer then wakes the thread waiting for it
  // directly, with no hand-over from the pump, and a task's exchanges do not
  // stir the pump at all.
  int Read(std::span<std::uint8_t> buffer, int timeout_ms) override {
    Pump& pump = *pump_;
    std::unique_lock lock(pump.mutex);
    if (pump.TakeUserInterrupt()) return 0;
    if (!pump.reads_taken && pump.HasInput()) return pump.Take(buffer);
    pump.TakeReadingOver();
    pump.changed.wait(lock, [&] { return !pump.pump_reading; });
    if (pump.TakeUserInterrupt()) return 0;
    // Reports the pump read before it stood aside are older than any the
    // real handle still holds.
    if (pump.HasInput()) return pump.Take(buffer);
    pump.user_reading = true;
    lock.unlock();
    const int n = ReadUntil(buffer, timeout_ms);
    lock.lock();
    pump.user_reading = false;
    if (n < 0) pump.Keep({}, true);
    return n;
  }

  void InterruptRead() override {
    std::lock_guard lock(pump_->mutex);
    ++pump_->user_interrupts;
    if (pump_->user_reading) pump_->inner->InterruptRead();
  }

  std::string ProductString() override { return pump_->inner->ProductString(); }
  std::size_t OutputReportLength() const override { return pump_->inner->OutputReportLength(); }

  // The caller is about to wait for input: the pump reads again.
  bool HandBackAndCheck() const {
    Pump& pump = *pump_;
    {
      std::lock_guard lock(pump.mutex);
      if (!pump.reads_taken) return pump.ready;
      pump.reads_taken = false;
    }
    pump.changed.notify_all();
    return pump.ready;
  }

 private:
  // The real read on the caller's thread, until a report, the device's end,
  // the deadline or an interrupt of the caller's own: a stray interrupt meant
  // for the pump only costs a retry.
  int ReadUntil(std::span<std::uint8_t> buffer, int timeout_ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeout_ms, 0));
    for (;;) {
      int wait_ms = -1;
      if (timeout_ms >= 0) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        wait_ms = static_cast<int>(std::max<long long>(left, 0));
      }
      const int n = pump_->inner->Read(buffer, wait_ms);
      if (n != 0 || (timeout_ms >= 0 && Clock::now() >= deadline)) return n;
      std::lock_guard lock(pump_->mutex);
      if (pump_->TakeUserInterrupt()) return 0;
    }
  }

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
  return pumped && pumped->HandBackAndCheck();
}

}  // namespace korvane
