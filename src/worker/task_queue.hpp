#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>

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
      codes_.push_back({++pushed_, code});
    }
    wake_.Notify();
  }

  std::optional<TaskCode> Pop() {
    std::lock_guard lock(mutex_);
    if (codes_.empty()) return std::nullopt;
    const TaskCode code = codes_.front().second;
    codes_.pop_front();
    return code;
  }

  // A mark for DropSince: what has been pushed so far.
  std::uint64_t Mark() const {
    std::lock_guard lock(mutex_);
    return pushed_;
  }
  // Takes back the codes pushed after the mark that are still waiting (an
  // operation that turned out to have failed); returns how many.
  std::size_t DropSince(std::uint64_t mark) {
    std::lock_guard lock(mutex_);
    const std::size_t before = codes_.size();
    std::erase_if(codes_, [mark](const auto& entry) { return entry.first > mark; });
    return before - codes_.size();
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
  std::deque<std::pair<std::uint64_t, TaskCode>> codes_;  // push number, code
  std::uint64_t pushed_ = 0;
};

}  // namespace korvane
