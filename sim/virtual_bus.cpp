#include "sim/virtual_bus.hpp"

#include <sys/prctl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <deque>
#include <thread>

#include "sim/firmware.hpp"
#include "sim/update_loader.hpp"

namespace korvane::sim {

namespace {

struct InterfaceKind {
  int number;
  std::uint16_t usage_page;
  std::uint16_t usage;
  std::size_t output_report_length;  // report id byte included; 0: none
};

constexpr std::array<InterfaceKind, 4> kInterfaces{{
    {0, 0x0001, 0x0006, 0},  // keyboard
    {1, 0x0001, 0x0002, 0},  // mouse
    {VirtualBus::kConfigInterface, 0xFF01, 0x0010, 65},
    {VirtualBus::kUpdateInterface, 0xFFEF, 0x0000, 64},
}};

constexpr std::size_t kMaxQueuedReports = 64;

// A late answer or the end of a slow write is due at a set time, and a real
// device keeps its time. While a thread waits for one, its timer slack (50 µs
// by default, by which the kernel may postpone the wake-up) is cut to the
// least, so the device is not slower than it was told to be.
class ExactWakeUp {
 public:
  ExactWakeUp() : previous_(::prctl(PR_GET_TIMERSLACK)) { ::prctl(PR_SET_TIMERSLACK, 1UL); }
  ~ExactWakeUp() {
    if (previous_ > 0) ::prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(previous_));
  }
  ExactWakeUp(const ExactWakeUp&) = delete;
  ExactWakeUp& operator=(const ExactWakeUp&) = delete;

 private:
  int previous_;
};

}  // namespace

struct VirtualBus::Queue {
  struct Pending {
    Clock::time_point due;
    std::vector<std::uint8_t> bytes;
  };
  int interface_number = 0;
  bool alive = true;
  bool interrupted = false;
  std::deque<Pending> reports;
};

struct VirtualBus::Device {
  VirtualDevice device;
  struct Faults {
    int busy = 0;
    Milliseconds busy_for{0};
    int drop = 0;
    Milliseconds delay{0};
    Milliseconds update_write{0};
    bool unplug_mid_write = false;
    int interject = 0;
  } faults;
  std::vector<std::shared_ptr<Queue>> open;
};

class VirtualBus::Handle final : public HidHandle {
 public:
  Handle(VirtualBus& bus, DeviceId id, std::shared_ptr<Queue> queue) : bus_(bus), id_(id), queue_(std::move(queue)) {}
  ~Handle() override { bus_.Close(id_, queue_); }
  int Write(std::span<const std::uint8_t> report) override {
    return bus_.WriteReport(id_, queue_->interface_number, *queue_, report);
  }
  int Read(std::span<std::uint8_t> buffer, int timeout_ms) override {
    return bus_.ReadReport(*queue_, buffer, timeout_ms);
  }
  void InterruptRead() override { bus_.Interrupt(*queue_); }
  std::string ProductString() override { return bus_.Product(id_); }
  std::size_t OutputReportLength() const override {
    return kInterfaces[static_cast<std::size_t>(queue_->interface_number)].output_report_length;
  }

 private:
  VirtualBus& bus_;
  DeviceId id_;
  std::shared_ptr<Queue> queue_;
};

VirtualBus::VirtualBus() = default;
VirtualBus::~VirtualBus() = default;

VirtualBus::Device* VirtualBus::Find(DeviceId id) {
  const auto it = devices_.find(id);
  return it != devices_.end() ? it->second.get() : nullptr;
}

const VirtualBus::Device* VirtualBus::Find(DeviceId id) const {
  const auto it = devices_.find(id);
  return it != devices_.end() ? it->second.get() : nullptr;
}

VirtualBus::DeviceId VirtualBus::Add(VirtualDevice device) {
  std::unique_lock lock(mutex_);
  const DeviceId id = next_id_++;
  device.state.plugged = true;
  devices_[id] = std::make_unique<Device>(Device{std::move(device), {}, {}});
  const std::vector<HotplugEvent> events = Events(id, true);
  Publish(lock, id, events);
  return id;
}

std::vector<VirtualBus::DeviceId> VirtualBus::Devices() const {
  std::lock_guard lock(mutex_);
  std::vector<DeviceId> ids;
  for (const auto& [id, device] : devices_) ids.push_back(id);
  return ids;
}

std::string VirtualBus::Name(DeviceId id) const {
  std::lock_guard lock(mutex_);
  const Device* d = Find(id);
  return d ? d->device.name : std::string();
}

std::string VirtualBus::InterfacePath(DeviceId id, int interface_number) const {
  std::lock_guard lock(mutex_);
  const Device* d = Find(id);
  if (!d || interface_number < 0 || interface_number >= static_cast<int>(kInterfaces.size())) return {};
  return InfoOf(id, *d, interface_number).path;
}

MouseState VirtualBus::State(DeviceId id) const {
  std::lock_guard lock(mutex_);
  const Device* d = Find(id);
  return d ? d->device.state : MouseState{};
}

void VirtualBus::SetStateObserver(StateObserver observer) {
  std::lock_guard lock(mutex_);
  observer_ = std::move(observer);
}

void VirtualBus::SetListener(Listener listener) {
  std::lock_guard lock(listener_mutex_);
  listener_ = std::move(listener);
}

std::vector<HotplugEvent> VirtualBus::Events(DeviceId id, bool arrival) const {
  std::vector<HotplugEvent> events;
  const Device* d = Find(id);
  if (!d) return events;
  for (const InterfaceKind& kind : kInterfaces) {
    events.push_back({arrival, InfoOf(id, *d, kind.number).path});
  }
  return events;
}

void VirtualBus::Publish(std::unique_lock<std::mutex>& lock, DeviceId id, const std::vector<HotplugEvent>& events) {
  const StateObserver observer = observer_;
  const Device* d = Find(id);
  const std::optional<MouseState> state = observer && d ? std::optional(d->device.state) : std::nullopt;
  lock.unlock();
  if (state) observer(id, *state);
  if (events.empty()) return;
  // Called with the listener's lock held, so that once SetListener returns
  // the previous listener is never called again.
  std::lock_guard listener_lock(listener_mutex_);
  if (!listener_) return;
  for (const HotplugEvent& event : events) listener_(event);
}

HidInterfaceInfo VirtualBus::InfoOf(DeviceId id, const Device& device, int interface_number) const {
  const InterfaceKind& kind = kInterfaces[static_cast<std::size_t>(interface_number)];
  char path[64];
  std::snprintf(path, sizeof path, "virtual/%d/VID_%04X&PID_%04X&MI_%02d", id, device.device.vendor_id,
                device.device.product_id, interface_number);
  return HidInterfaceInfo{path,
                          device.device.vendor_id,
                          device.device.product_id,
                          device.device.release_number,
                          kind.usage_page,
                          kind.usage,
                          kind.number};
}

std::optional<std::pair<VirtualBus::DeviceId, int>> VirtualBus::Resolve(const std::string& path) const {
  for (const auto& [id, device] : devices_) {
    if (!device->device.state.plugged) continue;
    for (const InterfaceKind& kind : kInterfaces) {
      if (InfoOf(id, *device, kind.number).path == path) return std::pair{id, kind.number};
    }
  }
  return std::nullopt;
}

std::vector<HidInterfaceInfo> VirtualBus::Enumerate() {
  std::lock_guard lock(mutex_);
  std::vector<HidInterfaceInfo> list;
  for (const auto& [id, device] : devices_) {
    if (!device->device.state.plugged) continue;
    for (const InterfaceKind& kind : kInterfaces) list.push_back(InfoOf(id, *device, kind.number));
  }
  return list;
}

std::optional<HidInterfaceInfo> VirtualBus::Probe(const std::string& path) {
  std::lock_guard lock(mutex_);
  const auto where = Resolve(path);
  if (!where) return std::nullopt;
  return InfoOf(where->first, *Find(where->first), where->second);
}

std::unique_ptr<HidHandle> VirtualBus::Open(const std::string& path) {
  std::lock_guard lock(mutex_);
  const auto where = Resolve(path);
  if (!where) return nullptr;
  auto queue = std::make_shared<Queue>();
  queue->interface_number = where->second;
  Find(where->first)->open.push_back(queue);
  return std::make_unique<Handle>(*this, where->first, std::move(queue));
}

void VirtualBus::Close(DeviceId id, const std::shared_ptr<Queue>& queue) {
  std::lock_guard lock(mutex_);
  if (Device* d = Find(id)) std::erase(d->open, queue);
}

std::string VirtualBus::Product(DeviceId id) const {
  std::lock_guard lock(mutex_);
  const Device* d = Find(id);
  return d && d->device.state.plugged ? d->device.product : std::string();
}

void VirtualBus::Deliver(Device& device, const std::vector<std::uint8_t>& report, Clock::time_point due) {
  for (const auto& queue : device.open) {
    if (queue->interface_number != kConfigInterface) continue;
    auto& reports = queue->reports;
    const auto at = std::find_if(reports.begin(), reports.end(), [&](const Queue::Pending& p) { return p.due > due; });
    reports.insert(at, Queue::Pending{due, report});
    if (reports.size() > kMaxQueuedReports) reports.pop_front();
  }
  input_arrived_.notify_all();
}

void VirtualBus::Disconnect(Device& device) {
  device.device.state.plugged = false;
  device.device.state.macro = {};
  for (const auto& queue : device.open) {
    queue->alive = false;
    queue->reports.clear();
  }
  device.open.clear();
  input_arrived_.notify_all();
}

int VirtualBus::WriteReport(DeviceId id, int interface_number, const Queue& queue,
                            std::span<const std::uint8_t> report) {
  std::unique_lock lock(mutex_);
  Device* d = Find(id);
  if (!d || !queue.alive || report.empty()) return -1;
  MouseState& state = d->device.state;
  const int written = static_cast<int>(report.size());
  if (interface_number == kUpdateInterface) {
    const Milliseconds duration = d->faults.update_write;
    const Clock::time_point done = Clock::now() + duration;
    if (!HandleUpdateReport(state.update, report)) return -1;
    Publish(lock, id);
    if (duration > Milliseconds(0)) {
      const ExactWakeUp exact;
      std::this_thread::sleep_until(done);
    }
    return written;
  }
  if (interface_number != kConfigInterface || report[0] != 0) return -1;

  Device::Faults& faults = d->faults;
  if (faults.unplug_mid_write && MacroPacketIndex(report).value_or(0) > 0) {
    faults.unplug_mid_write = false;
    Disconnect(*d);
    const std::vector<HotplugEvent> events = Events(id, false);
    Publish(lock, id, events);
    return -1;
  }
  if (faults.drop > 0) {
    --faults.drop;
    LogCommand(state, report);
    Publish(lock, id);
    return written;
  }
  const std::optional<InputReport> answer = HandleConfigReport(state, report);
  if (answer) {
    Clock::time_point due = Clock::now() + faults.delay;
    if (faults.interject > 0) {
      --faults.interject;
      Deliver(*d, state.identity.receiver ? LinkReport(state) : DpiReport(state), due);
    }
    if (faults.busy > 0) {
      --faults.busy;
      Deliver(*d, StatusAnswer((*answer)[0], kBusy), due);
      due += faults.busy_for;
    }
    Deliver(*d, *answer, due);
  }
  Publish(lock, id);
  return written;
}

int VirtualBus::ReadReport(Queue& queue, std::span<std::uint8_t> buffer, int timeout_ms) {
  std::unique_lock lock(mutex_);
  const bool forever = timeout_ms < 0;
  const Clock::time_point deadline = Clock::now() + Milliseconds(forever ? 0 : timeout_ms);
  for (;;) {
    if (!queue.alive) return -1;
    if (queue.interrupted) {
      queue.interrupted = false;
      return 0;
    }
    const Clock::time_point now = Clock::now();
    if (!queue.reports.empty() && queue.reports.front().due <= now) {
      const std::vector<std::uint8_t> report = std::move(queue.reports.front().bytes);
      queue.reports.pop_front();
      const std::size_t n = std::min(report.size(), buffer.size());
      std::copy_n(report.begin(), n, buffer.begin());
      return static_cast<int>(n);
    }
    if (!forever && now >= deadline) return 0;
    if (queue.reports.empty() && forever) {
      input_arrived_.wait(lock);
    } else if (!queue.reports.empty() && (forever || queue.reports.front().due < deadline)) {
      const ExactWakeUp exact;
      input_arrived_.wait_until(lock, queue.reports.front().due);
    } else {
      input_arrived_.wait_until(lock, deadline);
    }
  }
}

void VirtualBus::Interrupt(Queue& queue) {
  {
    std::lock_guard lock(mutex_);
    queue.interrupted = true;
  }
  input_arrived_.notify_all();
}

bool VirtualBus::Plug(DeviceId id) {
  std::unique_lock lock(mutex_);
  Device* d = Find(id);
  if (!d || d->device.state.plugged) return false;
  d->device.state.plugged = true;
  const std::vector<HotplugEvent> events = Events(id, true);
  Publish(lock, id, events);
  return true;
}

bool VirtualBus::Unplug(DeviceId id) {
  std::unique_lock lock(mutex_);
  Device* d = Find(id);
  if (!d || !d->device.state.plugged) return false;
  Disconnect(*d);
  const std::vector<HotplugEvent> events = Events(id, false);
  Publish(lock, id, events);
  return true;
}

bool VirtualBus::Link(DeviceId id) {
  return RunEvent(id, [](MouseState& state) { return LinkMouse(state); });
}

bool VirtualBus::Unlink(DeviceId id) {
  return RunEvent(id, [](MouseState& state) { return UnlinkMouse(state); });
}

bool VirtualBus::SetBattery(DeviceId id, std::uint8_t a, std::uint8_t b) {
  std::unique_lock lock(mutex_);
  Device* d = Find(id);
  if (!d) return false;
  const std::optional<InputReport> report = ChangeBattery(d->device.state, a, b);
  if (report && d->device.state.plugged) Deliver(*d, *report, Clock::now());
  Publish(lock, id);
  return true;
}

bool VirtualBus::PressDpiButton(DeviceId id, int count, int index) {
  return RunEvent(id, [&](MouseState& state) { return sim::PressDpiButton(state, count, index); });
}

bool VirtualBus::RunEvent(DeviceId id, const std::function<std::optional<InputReport>(MouseState&)>& event) {
  std::unique_lock lock(mutex_);
  Device* d = Find(id);
  if (!d) return false;
  const std::optional<InputReport> report = event(d->device.state);
  if (!report) return false;
  if (d->device.state.plugged) Deliver(*d, *report, Clock::now());
  Publish(lock, id);
  return true;
}

void VirtualBus::AnswerBusy(DeviceId id, int count, Milliseconds accept_after) {
  std::lock_guard lock(mutex_);
  if (Device* d = Find(id)) {
    d->faults.busy = std::max(count, 0);
    d->faults.busy_for = accept_after;
  }
}

void VirtualBus::DropCommands(DeviceId id, int count) {
  std::lock_guard lock(mutex_);
  if (Device* d = Find(id)) d->faults.drop = std::max(count, 0);
}

void VirtualBus::DelayAnswers(DeviceId id, Milliseconds delay) {
  std::lock_guard lock(mutex_);
  if (Device* d = Find(id)) d->faults.delay = std::max(delay, Milliseconds(0));
}

void VirtualBus::SlowUpdateWrites(DeviceId id, Milliseconds duration) {
  std::lock_guard lock(mutex_);
  if (Device* d = Find(id)) d->faults.update_write = std::max(duration, Milliseconds(0));
}

void VirtualBus::UnplugDuringMultiPacketWrite(DeviceId id) {
  std::lock_guard lock(mutex_);
  if (Device* d = Find(id)) d->faults.unplug_mid_write = true;
}

void VirtualBus::InterjectBeforeAnswers(DeviceId id, int count) {
  std::lock_guard lock(mutex_);
  if (Device* d = Find(id)) d->faults.interject = std::max(count, 0);
}

}  // namespace korvane::sim
