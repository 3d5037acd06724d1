#pragma once

#include <cstddef>
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
//    The bytes go out as given: a caller pads a report to
//    OutputReportLength itself.
//  - Read: fills the buffer with one input report; for report id 0 the id
//    byte is not included, so byte 0 is the first data byte. Returns the
//    number of bytes read, 0 on timeout or interrupt, -1 on error (for
//    example the device is gone). timeout_ms < 0 waits without limit.
// Calls on one handle come from one thread at a time, except that a Read
// and InterruptRead may run on one thread while another thread writes.
class HidHandle {
 public:
  virtual ~HidHandle() = default;
  virtual int Write(std::span<const std::uint8_t> report) = 0;
  virtual int Read(std::span<std::uint8_t> buffer, int timeout_ms) = 0;
  // Makes the Read blocked on another thread return 0 at once, or, when none
  // is blocked, the next Read; one interrupt ends one Read. Every backend
  // implements it, so a reader may wait without a timeout and still stop on
  // request (the pumps of the worker's transport rely on it); a handle that
  // wraps another forwards it.
  virtual void InterruptRead() = 0;
  // The interface's product string; empty when it cannot be read.
  virtual std::string ProductString() = 0;
  // The length of the interface's output report as written, report id byte
  // included (65 for the mouse's configuration interface); 0 when the
  // interface has no output report.
  virtual std::size_t OutputReportLength() const = 0;
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
