#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "store/config_table.hpp"
#include "support/worker_rig.hpp"

namespace korvane::test {

// Every event the worker reported, as text, in order.
class RecordingEvents final : public WorkerEvents {
 public:
  void StatusChanged(int text_id) override { Add("status " + std::to_string(text_id)); }
  void DeviceListChanged() override { Add("list"); }
  void DeviceViewChanged(bool list, bool pages) override {
    Add("view " + std::to_string(list) + std::to_string(pages));
  }
  void BatteryChanged(int a, int b) override { Add("battery " + std::to_string(a) + " " + std::to_string(b)); }
  void RefreshPages(unsigned pages) override { Add("pages " + std::to_string(pages)); }
  void CloseTransientWindows() override { Add("close"); }
  void LinkChanged(int type, bool linked) override {
    Add("link " + std::to_string(type) + " " + std::to_string(linked));
  }
  void DpiButtonPressed(int count, int index) override {
    Add("dpi " + std::to_string(count) + " " + std::to_string(index));
  }
  void TaskFinished(TaskCode code, bool ok) override { Add("done " + std::to_string(code) + " " + std::to_string(ok)); }

  std::deque<std::string> Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
  }
  bool Has(const std::string& line) const {
    const auto lines = Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  int Count(const std::string& line) const {
    const auto lines = Lines();
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
  }

 private:
  void Add(std::string line) {
    std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
  }
  mutable std::mutex mutex_;
  std::deque<std::string> lines_;
};

// Keeps the recorded events alive before and after the rig that reports to
// them.
struct RecordedEvents {
  RecordingEvents events;
};

// The worker rig as a test fixture, with helpers to wait and inspect.
class WorkerFixture : public ::testing::Test, protected RecordedEvents, protected WorkerRig {
 protected:
  WorkerFixture() : WorkerRig(events) {}

  // Waits (polling, for tests only) until condition holds or 5 s pass.
  template <typename Condition>
  bool WaitFor(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
  }

  bool WaitForTask(TaskCode code) {
    const std::string done = "done " + std::to_string(code);
    return WaitFor([&] { return events.Has(done + " 1") || events.Has(done + " 0"); });
  }

  // The command codes the device received, in order.
  std::vector<std::uint8_t> Commands(sim::VirtualBus::DeviceId id) {
    std::vector<std::uint8_t> out;
    for (const sim::LoggedCommand& c : bus.State(id).log) out.push_back(c.command);
    return out;
  }

  std::string Config(ConfigKey key) {
    std::string value;
    GetConfigValue(store, state.current_profile, key, value);
    return value;
  }
};

}  // namespace korvane::test
