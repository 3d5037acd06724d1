#pragma once

#include <condition_variable>
#include <mutex>

#include "worker/worker_events.hpp"

namespace korvane::test {

// Counts the tasks the worker finished and ignores every other event. A
// waiter sleeps until the count it needs is reached, so it neither adds a
// polling interval to what it measures nor takes CPU from the worker.
class FinishedTasks final : public WorkerEvents {
 public:
  void StatusChanged(int) override {}
  void DeviceListChanged() override {}
  void DeviceViewChanged(bool, bool) override {}
  void BatteryChanged(int, int) override {}
  void RefreshPages(unsigned) override {}
  void CloseTransientWindows() override {}
  void LinkChanged(int, bool) override {}
  void DpiButtonPressed(int, int) override {}
  void TaskFinished(TaskCode, bool) override {
    {
      std::lock_guard lock(mutex_);
      ++count_;
    }
    finished_.notify_all();
  }

  int Count() {
    std::lock_guard lock(mutex_);
    return count_;
  }

  void WaitFor(int total) {
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return count_ >= total; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable finished_;
  int count_ = 0;
};

}  // namespace korvane::test
