#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "catalog/supported_modes.hpp"
#include "device/device_types.hpp"
#include "device/hid_transport.hpp"
#include "device/report_packet.hpp"
#include "device/sleeper.hpp"

namespace korvane {

// The owner of every open connection to the mouse: finds the accepted
// configuration interfaces of the catalog's devices, picks the interface that
// commands for the selected device type go to (the wired mouse first, else a
// receiver whose mouse is linked), exchanges command reports and reads
// unsolicited ones.
//
// Threads: the device worker makes every call except the list queries
// (GetConnectionMode, ListDevices, ListLinkedDevices, GetReleaseNumber,
// HasLinkedType, Devices), which any thread may call. The worker publishes the
// device list as an immutable snapshot after each change, so a query sees the
// old or the new list, never one being built, and no lock is held across
// device I/O.
class DeviceManager final : public SupportedModeRegistry {
 public:
  explicit DeviceManager(HidTransport& transport);
  DeviceManager(HidTransport& transport, Sleeper& sleeper);
  ~DeviceManager() override;
  DeviceManager(const DeviceManager&) = delete;
  DeviceManager& operator=(const DeviceManager&) = delete;

  // Supported modes, in catalog order.
  void ClearSupportedModes() override;
  void AddSupportedMode(int vid, int pid, const std::string& name, int device_type, int mode,
                        const std::string& dev_id) override;

  // Exchange, ReadNotification and GetReleaseNumber do nothing until the
  // worker has enumerated and set this.
  void SetReady() { ready_ = true; }

  // Appends every accepted interface of a supported device to the list, in
  // enumeration order, and reads its device information.
  void EnumerateDevice();
  // Closes every handle and empties the list.
  void CloseAll();

  void SelectDeviceType(int device_type);
  // The handle commands go to; nullptr when none (also while no type is
  // selected).
  HidHandle* CurrentInterface();
  bool GetCurrentVidPid(std::uint16_t& vendor_id, std::uint16_t& product_id);
  // The entry of the current interface, as last published.
  std::optional<DeviceEntry> CurrentEntry();

  // List queries (any thread). -1 when no entry of the selected type exists,
  // else 0 with a wired entry, else 1.
  int GetConnectionMode() const;
  // Copies of the entries of the selected type (all entries when the selected
  // type is 0); the linked variant only those with link state 1. Both return
  // false and leave out alone when the list is empty.
  bool ListDevices(std::vector<DeviceEntry>& out) const;
  bool ListLinkedDevices(std::vector<DeviceEntry>& out) const;
  bool GetReleaseNumber(int& value, int connection_mode) const;
  bool HasLinkedType(int device_type) const;
  std::shared_ptr<const std::vector<DeviceEntry>> Devices() const;

  // Asks the interface for its device information; on success answer holds
  // the reply (report id removed).
  bool QueryDeviceInfo(HidHandle& handle, ReportBytes& answer);
  // The device type of a device id reported by this vendor/product id:
  // the first mode with these ids decides when its device id is too short
  // (kReceiverFallbackType) or equal; 0 when no mode matches.
  int LookupDeviceType(std::uint16_t vendor_id, std::uint16_t product_id, const std::string& device_id) const;

  // Writes the first length bytes (33 or 65) of the packet to the current
  // interface, zero-padded to the interface's full output report (65 bytes
  // on the shipped models), checksum stored first, and waits for the
  // acknowledgement: an answer that echoes the command with status 0. On success the answer
  // replaces the packet's bytes. Unsolicited reports read while waiting are
  // kept for ReadNotification.
  bool Exchange(ReportPacket& packet, std::size_t length);

  // The idle step's read. Hands out kept unsolicited reports first, in
  // order. Else reads the current interface (100 ms); without one, the first
  // receiver that has a report (10 ms each): a link report there updates the
  // receiver's link state, device id and type, and the result is false
  // although out carries the report.
  bool ReadNotification(ReportBytes& out, int& device_type);
  std::size_t PendingReportCount() const { return pending_.size(); }
  // Whether ReadNotification would find something without waiting for the
  // device: a kept report, or input_ready true for an interface it reads.
  bool NotificationWaiting(const std::function<bool(const HidHandle*)>& input_ready);

  // Reads one report from each receiver of the selected type; a link report
  // sets the link state of its type and mode to 1 (linked) or 2, and is kept
  // for ReadNotification.
  void PollReceiverLinks();
  void SetLinkState(int device_type, int connection_mode, int state);
  // Asks each receiver of the type for its device information again and
  // takes its link state from the answer (kOnline only when its mouse
  // answers). Run when a receiver reports its mouse linked, so the device
  // information of a mouse that linked after start-up is current.
  void RefreshReceiverIdentity(int device_type);

  // The firmware-update interface (usage page 0xFFEF) of these ids, replacing
  // the one held; nullptr when none opens.
  HidHandle* OpenUpdateInterface(std::uint16_t vendor_id, std::uint16_t product_id);
  bool UpdateExchange(std::span<std::uint8_t, 64> report);

 private:
  struct OpenInterface {
    DeviceEntry entry;
    std::unique_ptr<HidHandle> handle;
  };

  bool HasMode(std::uint16_t vendor_id, std::uint16_t product_id) const;
  int ConnectionModeOf(std::uint16_t vendor_id, std::uint16_t product_id) const;
  // Device information with one retry after 500 ms; on success the entry's
  // device id and type are rebuilt from it. A receiver's link state follows
  // the answer's link byte (no answer: present without its mouse).
  void RefreshIdentity(OpenInterface& device);
  // Reads until an answer to command with status 0 arrives into buffer
  // (within 50 reads of 30 ms); unsolicited reports are kept.
  bool AwaitAnswer(HidHandle& handle, std::uint8_t command, std::span<std::uint8_t> buffer);
  void KeepIfUnsolicited(std::span<const std::uint8_t> report);
  // Keeps a report for ReadNotification, within the cap.
  void Keep(const DeviceNotification& report);
  void Publish();

  HidTransport& transport_;
  Sleeper& sleeper_;
  std::vector<SupportedMode> modes_;
  std::vector<OpenInterface> devices_;
  std::optional<std::size_t> cached_;
  std::unique_ptr<HidHandle> update_handle_;
  std::deque<DeviceNotification> pending_;
  std::atomic<bool> ready_ = false;
  std::atomic<int> selected_type_ = 0;

  mutable std::mutex snapshot_mutex_;
  std::shared_ptr<const std::vector<DeviceEntry>> snapshot_;
};

}  // namespace korvane
