#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/hid_transport.hpp"
#include "platform/hotplug_source.hpp"
#include "sim/firmware.hpp"
#include "sim/virtual_device.hpp"

namespace korvane::sim {

// An in-process HID bus carrying virtual mice. It is the HID transport and
// the hot-plug source of whoever talks to it, and the test's (or the
// server's) remote control of the devices: plug, unplug, link, battery, the
// DPI button and fault injection.
//
// Every device presents four interfaces, with paths of the form
// "virtual/<device>/VID_vvvv&PID_pppp&MI_nn": MI_00 keyboard (usage page
// 0x0001, usage 0x0006), MI_01 mouse (0x0001/0x0002), MI_02 configuration
// (0xFF01/0x0010, answered by the firmware) and MI_03 firmware update
// (0xFFEF/0x0000). Input reports reach every handle open on the interface,
// as hidraw delivers them; each handle buffers at most 64. A handle's read
// can be interrupted from another thread.
//
// Thread-safe: every member may be called from any thread. Handles must not
// outlive the bus. The hot-plug listener and the state observer are called
// without the bus locked, on the thread that caused the change; once
// SetListener returns, the previous listener is not called any more.
class VirtualBus final : public HidTransport, public HotplugSource {
 public:
  using DeviceId = int;
  using Milliseconds = std::chrono::milliseconds;
  // Called after every report written to a device and every change made
  // through the bus, with a copy of the device's state.
  using StateObserver = std::function<void(DeviceId, const MouseState&)>;

  static constexpr int kConfigInterface = 2;
  static constexpr int kUpdateInterface = 3;

  VirtualBus();
  ~VirtualBus() override;
  VirtualBus(const VirtualBus&) = delete;
  VirtualBus& operator=(const VirtualBus&) = delete;

  // Adds a device, plugged in: arrival events for its four interfaces.
  DeviceId Add(VirtualDevice device);
  std::vector<DeviceId> Devices() const;
  std::string Name(DeviceId id) const;
  std::string InterfacePath(DeviceId id, int interface_number) const;
  MouseState State(DeviceId id) const;
  void SetStateObserver(StateObserver observer);

  // Each returns false when it does not apply: unknown device, already in
  // that state, not a receiver (link), mouse not reachable (DPI button).
  // Unplugging ends every open handle of the device (reads and writes give
  // -1) and drops a half-received macro stream; the settings stay.
  bool Plug(DeviceId id);
  bool Unplug(DeviceId id);
  // A receiver's mouse links or leaves: sends a link report.
  bool Link(DeviceId id);
  bool Unlink(DeviceId id);
  // New battery values; a receiver sends them in a link report.
  bool SetBattery(DeviceId id, std::uint8_t a, std::uint8_t b);
  // The mouse's own DPI button: count 1..6, index below count; sends a DPI report.
  bool PressDpiButton(DeviceId id, int count, int index);

  // Fault injection, per device; each setting replaces the previous one.
  // The next `count` answered commands are first answered with status 1
  // (busy) and then, accept_after later, with the real answer.
  void AnswerBusy(DeviceId id, int count, Milliseconds accept_after);
  // The next `count` commands are logged but neither applied nor answered.
  void DropCommands(DeviceId id, int count);
  // Every answer arrives this much later (0 turns it off).
  void DelayAnswers(DeviceId id, Milliseconds delay);
  // Every write to the update interface returns only this long after it
  // began, as a loader taking each report into flash would (0 turns it off).
  void SlowUpdateWrites(DeviceId id, Milliseconds duration);
  // The device is unplugged when the second or a later packet of a
  // multi-packet macro write arrives; that write fails.
  void UnplugDuringMultiPacketWrite(DeviceId id);
  // The next `count` answers are each preceded by an unsolicited report: a
  // link report from a receiver, a DPI report from a wired mouse.
  void InterjectBeforeAnswers(DeviceId id, int count);

  // HidTransport
  std::vector<HidInterfaceInfo> Enumerate() override;
  std::unique_ptr<HidHandle> Open(const std::string& path) override;
  std::optional<HidInterfaceInfo> Probe(const std::string& path) override;
  // HotplugSource
  void SetListener(Listener listener) override;

 private:
  using Clock = std::chrono::steady_clock;
  class Handle;
  struct Queue;
  struct Device;

  Device* Find(DeviceId id);
  const Device* Find(DeviceId id) const;
  std::optional<std::pair<DeviceId, int>> Resolve(const std::string& path) const;
  HidInterfaceInfo InfoOf(DeviceId id, const Device& device, int interface_number) const;
  std::vector<HotplugEvent> Events(DeviceId id, bool arrival) const;
  void Deliver(Device& device, const std::vector<std::uint8_t>& report, Clock::time_point due);
  void Disconnect(Device& device);
  // Unlocks, tells the observer about the device's state and emits events.
  void Publish(std::unique_lock<std::mutex>& lock, DeviceId id, const std::vector<HotplugEvent>& events = {});
  int WriteReport(DeviceId id, int interface_number, const Queue& queue, std::span<const std::uint8_t> report);
  int ReadReport(Queue& queue, std::span<std::uint8_t> buffer, int timeout_ms);
  // Ends the read blocked on the queue, or else the next one, with 0.
  void Interrupt(Queue& queue);
  std::string Product(DeviceId id) const;
  void Close(DeviceId id, const std::shared_ptr<Queue>& queue);
  // Runs one of the device's own events (see firmware.hpp) and sends its
  // report to a plugged device's handles; false when it does not apply.
  bool RunEvent(DeviceId id, const std::function<std::optional<InputReport>(MouseState&)>& event);

  mutable std::mutex mutex_;
  std::condition_variable input_arrived_;
  std::map<DeviceId, std::unique_ptr<Device>> devices_;
  DeviceId next_id_ = 1;
  StateObserver observer_;
  std::mutex listener_mutex_;
  Listener listener_;
};

}  // namespace korvane::sim
