#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "device/hid_transport.hpp"

namespace korvane {

class WakeSignal;

// A transport whose open handles are each read by a pump thread. The pump
// owns every read of the real handle (so a handle is only ever read by one
// thread), buffers the reports in arrival order and wakes the worker; a Read
// on the handle takes the oldest buffered report, waiting for one up to its
// timeout. The worker can therefore sleep on one condition for "a task or a
// report" instead of polling the device.
//
// The pump blocks in the real read with a one-second timeout: an open but
// silent device costs one wake-up a second, no open device none. Closing a
// handle returns at once; its pump ends with its current read and only then
// closes the real handle. The transport waits for every pump when destroyed.
class PumpedTransport final : public HidTransport {
 public:
  static constexpr int kPumpReadTimeoutMs = 1000;

  PumpedTransport(HidTransport& inner, WakeSignal& wake);
  ~PumpedTransport() override;

  PumpedTransport(const PumpedTransport&) = delete;
  PumpedTransport& operator=(const PumpedTransport&) = delete;

  std::vector<HidInterfaceInfo> Enumerate() override;
  std::unique_ptr<HidHandle> Open(const std::string& path) override;
  std::optional<HidInterfaceInfo> Probe(const std::string& path) override;

  // True when a read on this handle would return without waiting: a report
  // is buffered or the device is gone. False for handles of other transports.
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
