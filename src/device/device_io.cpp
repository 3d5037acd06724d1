#include <algorithm>
#include <chrono>
#include <vector>

#include "device/accepted_interface.hpp"
#include "device/device_manager.hpp"

// The I/O half of DeviceManager: command exchange, unsolicited reports and
// the firmware-update interface.
namespace korvane {

namespace {

constexpr int kAnswerReads = 50;
constexpr int kAnswerReadTimeoutMs = 30;
constexpr std::size_t kMaxPendingReports = 256;
constexpr int kCurrentReadTimeoutMs = 100;
constexpr int kReceiverReadTimeoutMs = 10;
constexpr int kUpdateReadTimeoutMs = 1000;
constexpr auto kUpdateRewritePause = std::chrono::milliseconds(3);
constexpr auto kUpdateReadPause = std::chrono::milliseconds(5);

std::span<std::uint8_t> ShortReport(ReportBytes& bytes) { return std::span(bytes).first(report::kShortPacketSize); }

// Writes a report as the interface's full output report: zero after the
// report's own bytes. hidraw sends exactly what it is given, and the device
// expects the full report whatever the command's own length.
int WriteFullReport(HidHandle& handle, std::span<const std::uint8_t> report) {
  std::vector<std::uint8_t> padded(std::max(report.size(), handle.OutputReportLength()), 0);
  std::copy(report.begin(), report.end(), padded.begin());
  return handle.Write(padded);
}

}  // namespace

// The acknowledgement window is 50 reads of 30 ms. Reports that are not the
// answer (the mouse's own link and DPI reports) do not use up a read, so a
// flood of them cannot hide the answer; the window's full length still
// bounds the wait.
bool DeviceManager::AwaitAnswer(HidHandle& handle, std::uint8_t command, std::span<std::uint8_t> buffer) {
  ReportBytes read{};
  const auto into = std::span(read).first(buffer.size());
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kAnswerReads * kAnswerReadTimeoutMs);
  for (int timeouts = 0; timeouts < kAnswerReads && std::chrono::steady_clock::now() < deadline;) {
    std::fill(into.begin(), into.end(), 0);
    const int count = handle.Read(into, kAnswerReadTimeoutMs);
    if (count < 0) return false;  // the device is gone
    if (count == 0) {
      ++timeouts;
      continue;
    }
    const auto answer = into.first(static_cast<std::size_t>(count));
    if (answer[report::kAnswerCommand] != command) {
      KeepIfUnsolicited(answer);
      continue;
    }
    std::copy(answer.begin(), answer.end(), buffer.begin());
    if (answer.size() > report::kAnswerStatus && answer[report::kAnswerStatus] == 0) return true;
  }
  return false;
}

void DeviceManager::KeepIfUnsolicited(std::span<const std::uint8_t> report) {
  if (report[0] != report::kLinkReport && report[0] != report::kDpiReport) return;
  DeviceNotification kept;
  std::copy(report.begin(), report.end(), kept.bytes.begin());
  kept.device_type = selected_type_;
  Keep(kept);
}

void DeviceManager::Keep(const DeviceNotification& report) {
  // In a flood the oldest kept reports give way; the newest say the most.
  if (pending_.size() == kMaxPendingReports) pending_.pop_front();
  pending_.push_back(report);
}

bool DeviceManager::QueryDeviceInfo(HidHandle& handle, ReportBytes& answer) {
  ReportPacket request = ReadRequest(report::kDeviceInfo);
  request.StoreChecksum();
  if (WriteFullReport(handle, std::span(request.bytes).first(report::kShortPacketSize)) <= 0) return false;
  ReportBytes reply{};
  if (!AwaitAnswer(handle, report::kDeviceInfo, ShortReport(reply))) return false;
  answer = reply;
  return true;
}

bool DeviceManager::Exchange(ReportPacket& packet, std::size_t length) {
  if (!ready_ || length == 0 || length > report::kPacketSize) return false;
  HidHandle* handle = CurrentInterface();
  if (handle == nullptr) return false;
  packet.StoreChecksum();
  ReportBytes buffer = packet.bytes;
  if (WriteFullReport(*handle, std::span(buffer).first(length)) <= 0) return false;
  const bool acknowledged = AwaitAnswer(*handle, packet[report::kCommandByte], std::span(buffer).first(length));
  packet.bytes = buffer;
  return acknowledged;
}

bool DeviceManager::ReadNotification(ReportBytes& out, int& device_type) {
  if (!ready_) return false;
  device_type = selected_type_;
  if (!pending_.empty()) {
    out = pending_.front().bytes;
    device_type = pending_.front().device_type;
    pending_.pop_front();
    return true;
  }
  if (HidHandle* handle = CurrentInterface()) {
    out.fill(0);
    return handle->Read(out, kCurrentReadTimeoutMs) > 0;
  }
  for (OpenInterface& device : devices_) {
    if (device.entry.connection_mode != kReceiver) continue;
    ReportBytes report{};
    if (device.handle->Read(ShortReport(report), kReceiverReadTimeoutMs) <= 0) continue;
    if (report[0] == report::kLinkReport) {
      if (report[1] == 1) {
        device.entry.link_state = kOnline;
        RefreshIdentity(device);
      } else {
        device.entry.link_state = kReceiverWithoutMouse;
      }
      SetLinkState(device.entry.device_type, device.entry.connection_mode, device.entry.link_state);
    }
    // Taken after a link-up has resolved the type, so the report names it.
    device_type = device.entry.device_type;
    out = report;
    return false;
  }
  return false;
}

bool DeviceManager::NotificationWaiting(const std::function<bool(const HidHandle*)>& input_ready) {
  if (!ready_) return false;
  if (!pending_.empty()) return true;
  if (const HidHandle* handle = CurrentInterface()) return input_ready(handle);
  for (const OpenInterface& device : devices_) {
    if (device.entry.connection_mode == kReceiver && input_ready(device.handle.get())) return true;
  }
  return false;
}

void DeviceManager::PollReceiverLinks() {
  const int type = selected_type_;
  for (OpenInterface& device : devices_) {
    if (device.entry.device_type != type || device.entry.connection_mode != kReceiver) continue;
    ReportBytes report{};
    if (device.handle->Read(ShortReport(report), kReceiverReadTimeoutMs) <= 0) continue;
    if (report[0] != report::kLinkReport) continue;
    SetLinkState(device.entry.device_type, device.entry.connection_mode,
                 report[1] == 1 ? kOnline : kReceiverWithoutMouse);
    // Kept for the idle step too, so a mouse that links while its receiver
    // is polled is still handled as a link, not only counted.
    Keep(DeviceNotification{report, device.entry.device_type});
  }
}

HidHandle* DeviceManager::OpenUpdateInterface(std::uint16_t vendor_id, std::uint16_t product_id) {
  update_handle_.reset();
  for (const HidInterfaceInfo& info : transport_.Enumerate()) {
    if (info.vendor_id != vendor_id || info.product_id != product_id || !IsUpdateInterface(info)) continue;
    update_handle_ = transport_.Open(info.path);
    if (update_handle_) break;
  }
  return update_handle_.get();
}

bool DeviceManager::UpdateExchange(std::span<std::uint8_t, 64> report) {
  if (!update_handle_) return false;
  if (WriteFullReport(*update_handle_, report) > 0) return true;
  sleeper_.SleepFor(kUpdateRewritePause);
  WriteFullReport(*update_handle_, report);
  sleeper_.SleepFor(kUpdateReadPause);
  return update_handle_->Read(report, kUpdateReadTimeoutMs) > 0;
}

}  // namespace korvane
