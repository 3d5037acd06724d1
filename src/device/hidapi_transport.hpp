#pragma once

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
};

}  // namespace korvane
