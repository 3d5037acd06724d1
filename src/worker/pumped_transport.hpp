#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "device/hid_transport.hpp"

namespace korvane {

class WakeSignal;

// A transport whose open handles are each read by a pump thread while the
// handle's user waits for input. The pump buffers the reports in arrival
// order and wakes the worker, so the worker can sleep on one condition for
// "a task or a report" instead of polling the device. The pump blocks in the
// real read with no timeout (every backend's read can be interrupted), so a
// connected, silent device costs no wake-up at all.
//
// A Read on the handle takes the oldest buffered report; with none buffered
// it takes the reading over: it interrupts the pump and reads the real handle
// on the caller's thread, it and every later Read, until InputReady hands the
// handle back to the pump. The answers of a task's exchanges then wake the
// worker directly, with no hand-over between threads.
//
// Closing a handle returns at once; its pump ends with its interrupted read
// and only then closes the real handle. The transport waits for every pump
// when destroyed.
class PumpedTransport final : public HidTransport {
 public:
  PumpedTransport(HidTransport& inner, WakeSignal& wake);
  ~PumpedTransport() override;

  PumpedTransport(const PumpedTransport&) = delete;
  PumpedTransport& operator=(const PumpedTransport&) = delete;

  std::vector<HidInterfaceInfo> Enumerate() override;
  std::unique_ptr<HidHandle> Open(const std::string& path) override;
  std::optional<HidInterfaceInfo> Probe(const std::string& path) override;

  // True when a read on this handle would return without waiting: a report
  // is buffered or the device is gone. False for handles of other transports.
  // The worker asks before it sleeps until input, so a handle whose reading
  // a Read took over goes back to its pump here.
  static bool InputReady(const HidHandle* handle);

 private:
  struct PumpCount {
    std::mutex mutex;
    std::condition_variable ended;
    int running = 0;
  };

  HidTransport& inner_;
  WakeSignal& wake_;
  std::shared_ptr<PumpCount> pumps_ = std::make_shared<PumpCount>();
};

}  // namespace korvane
