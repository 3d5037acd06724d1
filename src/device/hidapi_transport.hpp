#pragma once

#include <mutex>

#include "device/hid_transport.hpp"

namespace korvane {

// The system's HID devices: hidapi (hidraw backend) lists them and gives
// their product strings; an opened interface is a HidrawHandle, the
// program's own descriptor on the hidraw node. The library is initialised by
// the constructor and released by the destructor, so one instance lives for
// the process.
class HidapiTransport final : public HidTransport {
 public:
  HidapiTransport();
  ~HidapiTransport() override;
  HidapiTransport(const HidapiTransport&) = delete;
  HidapiTransport& operator=(const HidapiTransport&) = delete;

  std::vector<HidInterfaceInfo> Enumerate() override;
  std::unique_ptr<HidHandle> Open(const std::string& path) override;
  std::optional<HidInterfaceInfo> Probe(const std::string& path) override;

 private:
  // hidapi keeps one error string for the process, which its enumeration
  // frees and replaces: the hot-plug probe (user-interface thread) and the
  // worker's scans enumerate one at a time.
  std::mutex mutex_;
};

}  // namespace korvane
