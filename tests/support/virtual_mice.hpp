#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "device/device_manager.hpp"
#include "device/sleeper.hpp"
#include "sim/virtual_bus.hpp"

namespace korvane::test {

inline constexpr std::uint16_t kVendor = 0x3A7C;
inline constexpr std::uint16_t kWiredPid = 0x1001;
inline constexpr std::uint16_t kReceiverPid = 0x1100;
inline constexpr int kArc = 201;
inline constexpr int kArcMini = 202;

inline sim::VirtualDevice WiredMouse(const char* dev_id = "A801", std::uint16_t pid = kWiredPid) {
  sim::VirtualDevice device;
  device.name = "wired";
  device.product = "Wired mouse";
  device.vendor_id = kVendor;
  device.product_id = pid;
  device.release_number = 0x0102;
  std::copy_n(dev_id, 4, device.state.identity.dev_id.begin());
  return device;
}

inline sim::VirtualDevice ReceiverMouse(const char* dev_id = "A801", bool linked = true) {
  sim::VirtualDevice device = WiredMouse(dev_id, kReceiverPid);
  device.name = "receiver";
  device.product = "Receiver";
  device.release_number = 0x0203;
  device.state.identity.receiver = true;
  device.state.linked = linked;
  return device;
}

// Records the pauses instead of sleeping.
class RecordingSleeper final : public Sleeper {
 public:
  void SleepFor(std::chrono::milliseconds duration) override { pauses.push_back(duration); }
  std::vector<std::chrono::milliseconds> pauses;
};

// The catalog's modes: Arc (201) wired and by receiver, Arc Mini (202) by the
// same receiver.
inline void RegisterArcModes(DeviceManager& manager) {
  manager.AddSupportedMode(kVendor, kWiredPid, "", kArc, kWired, "A801");
  manager.AddSupportedMode(kVendor, kReceiverPid, "", kArc, kReceiver, "A801");
  manager.AddSupportedMode(kVendor, kReceiverPid, "", kArcMini, kReceiver, "A802");
}

}  // namespace korvane::test
