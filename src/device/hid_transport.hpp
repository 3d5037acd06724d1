#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korvane {

// One HID interface (top-level collection) as the system lists it.
struct HidInterfaceInfo {
  std::string path;
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  std::uint16_t release_number = 0;
  std::uint16_t usage_page = 0;
  std::uint16_t usage = 0;
  int interface_number = -1;
};

// An open HID interface. Conventions, stated once here for every
// implementation:
//  - Write: byte 0 of the buffer is the report id (0 when the device does not
//    number its reports). Returns the number of bytes written, -1 on error.
//  - Read: fills the buffer with one input report; for report id 0 the id
//    byte is not included, so byte 0 is the first data byte. Returns the
//    number of bytes read, 0 on timeout, -1 on error (for example the device
//    is gone). timeout_ms < 0 waits without limit.
// Calls on one handle come from one thread at a time, except InterruptRead.
class HidHandle {
 public:
  virtual ~HidHandle() = default;
  virtual int Write(std::span<const std::uint8_t> report) = 0;
  virtual int Read(std::span<std::uint8_t> buffer, int timeout_ms) = 0;
  // Whether InterruptRead can end a blocked Read. Only such a handle may be
  // read without a timeout by a thread that must also stop on request.
  virtual bool ReadsInterruptible() const { return false; }
  // Makes the Read blocked on another thread return 0 at once, or, when none
  // is blocked, the next Read; one interrupt ends one Read. Safe to call
  // while another thread reads. Does nothing where reads cannot be
  // interrupted: such a Read ends only with its timeout.
  virtual void InterruptRead() {}
  // The interface's product string; empty when it cannot be read.
  virtual std::string ProductString() = 0;
};

// The seam between the program and the HID stack: hidapi on a real system,
// the virtual HID bus in tests and demos.
class HidTransport {
 public:
  virtual ~HidTransport() = default;
  // Every HID interface of the system, without a vendor/product filter.
  virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
  // Opens an interface for reading and writing; nullptr when it cannot.
  virtual std::unique_ptr<HidHandle> Open(const std::string& path) = 0;
  // The interface's information by path, opening nothing that stays open;
  // nullopt when no such interface exists. Used by the hot-plug probe.
  virtual std::optional<HidInterfaceInfo> Probe(const std::string& path) = 0;
};

}  // namespace korvane
