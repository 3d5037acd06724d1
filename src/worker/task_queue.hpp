#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

namespace korvane {

// Device operations the worker runs, queued by the UI and hot-plug logic.
enum TaskCode : int {
  kTaskStartupScan = 1,
  kTaskArrivalScan = 2,
  kTaskRemovalRefresh = 3,
  kTaskSelectDevice = 4,
  kTaskWriteProfile = 5,
  kTaskButtons = 6,
  kTaskLighting = 8,
  kTaskDpiLevels = 9,
  kTaskDpiColours = 10,
  kTaskReportRate = 11,
  kTaskSensor = 12,
  kTaskPower = 13,
  kTaskResponseTime = 14,
  kTaskLightingRestore = 17,
  kTaskDpiReset = 18,
  kTaskFactoryReset = 20,
  kTaskCheckSoftware = 23,
  kTaskCheckFirmware = 24,
  kTaskDownloadSoftware = 26,
  kTaskUpgradeFirmware = 27,
};

// Wakes the worker: a task was queued, an input report arrived, or the
// worker must stop. One condition, so the worker sleeps until any of them.
class WakeSignal final {
 public:
  void Notify() {
    // Taking the lock orders this notification after a waiter's check of
    // its predicate, so the waiter either sees the change or is woken.
    { std::lock_guard lock(mutex_); }
    condition_.notify_all();
  }

  // Blocks until ready() holds; ready is checked under the signal's lock
  // after every notification, so no wake-up is lost.
  template <typename Predicate>
  void WaitUntil(Predicate ready) {
    std::unique_lock lock(mutex_);
    condition_.wait(lock, [&] { return ready(); });
  }

  // As WaitUntil, but gives up at the deadline; returns whether ready held.
  template <typename Predicate, typename TimePoint>
  bool WaitUntil(Predicate ready, TimePoint deadline) {
    std::unique_lock lock(mutex_);
    return condition_.wait_until(lock, deadline, [&] { return ready(); });
  }

 private:
  std::mutex mutex_;
  std::condition_variable condition_;
};

// First in, first out; duplicates kept; safe for any number of producers and
// the worker as consumer. The lock is held only for a push or a pop.
class TaskQueue final {
 public:
  explicit TaskQueue(WakeSignal& wake) : wake_(wake) {}

  void Push(TaskCode code) {
    {
      std::lock_guard lock(mutex_);
      codes_.push_back(code);
    }
    wake_.Notify();
  }

  std::optional<TaskCode> Pop() {
    std::lock_guard lock(mutex_);
    if (codes_.empty()) return std::nullopt;
    const TaskCode code = codes_.front();
    codes_.pop_front();
    return code;
  }

  bool Empty() const {
    std::lock_guard lock(mutex_);
    return codes_.empty();
  }

  void Clear() {
    std::lock_guard lock(mutex_);
    codes_.clear();
  }

 private:
  WakeSignal& wake_;
  mutable std::mutex mutex_;
  std::deque<TaskCode> codes_;
};

}  // namespace korvane
