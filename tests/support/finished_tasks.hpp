#pragma once

#include <atomic>

#include "device/worker_events.hpp"

namespace korvane::test {

// Counts the tasks the worker finished and ignores every other event.
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
  void TaskFinished(int, bool) override { ++count; }
  std::atomic<int> count{0};
};

}  // namespace korvane::test
