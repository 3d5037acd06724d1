#pragma once

#include <atomic>
#include <mutex>
#include <set>
#include <string>

#include "worker/device_list_model.hpp"

namespace korvane {

// What the mouse told about itself in its device information.
struct DeviceInfoValues {
  int sensor_value = 0;     // bytes 8..9
  int sensor_id = 0;        // byte 10
  int rate_capability = 4;  // highest report-rate index: 5, 6, 7 for 0x10, 0x20, 0x40, else 4
  int battery_a = 0;
  int battery_b = 0;
};

// The state the UI and the device worker share: current profile and model,
// the connection flags, the device list, the values of the last device
// information, the status text and the receiver's firmware version. The
// controller owns it; the worker writes most of it. Flags are atomics, the
// rest is copied in and out under a lock.
class ConnectionState final {
 public:
  std::atomic<int> current_profile{1};
  std::atomic<int> current_type{0};
  // At least one supported interface is open: idle steps read notifications.
  std::atomic<bool> notify_polling{false};
  // A mouse is reachable, wired or through a receiver.
  std::atomic<bool> mouse_linked{false};
  // The device information said the mouse itself answers (through a
  // receiver: a mouse is linked).
  std::atomic<bool> online{false};
  // The lighting mode the lighting page shows.
  std::atomic<int> current_light_mode{0};

  DeviceListModel device_list;

  DeviceInfoValues Info() const {
    std::lock_guard lock(mutex_);
    return info_;
  }
  void SetInfo(const DeviceInfoValues& info) {
    std::lock_guard lock(mutex_);
    info_ = info;
  }
  void SetBattery(int battery_a, int battery_b) {
    std::lock_guard lock(mutex_);
    info_.battery_a = battery_a;
    info_.battery_b = battery_b;
  }

  // Language text of the status line: 50, 51 or 52.
  int StatusText() const {
    std::lock_guard lock(mutex_);
    return status_text_;
  }
  void SetStatusText(int text_id) {
    std::lock_guard lock(mutex_);
    status_text_ = text_id;
  }

  // The receiver's firmware version ("%X%02X"), empty until read.
  std::string ReceiverVersion() const {
    std::lock_guard lock(mutex_);
    return receiver_version_;
  }
  void SetReceiverVersion(std::string version) {
    std::lock_guard lock(mutex_);
    receiver_version_ = std::move(version);
  }

  // Device types whose stored settings were read since the program started;
  // it only grows, except that a factory reset empties it and a failed
  // read-back takes its type out.
  bool MarkReadBack(int device_type) {
    std::lock_guard lock(mutex_);
    return read_back_.insert(device_type).second;
  }
  void ClearReadBack() {
    std::lock_guard lock(mutex_);
    read_back_.clear();
  }
  // A read-back that did not get through is done again at the next chance.
  void ForgetReadBack(int device_type) {
    std::lock_guard lock(mutex_);
    read_back_.erase(device_type);
  }

 private:
  mutable std::mutex mutex_;
  DeviceInfoValues info_;
  int status_text_ = 50;
  std::string receiver_version_;
  std::set<int> read_back_;
};

}  // namespace korvane
