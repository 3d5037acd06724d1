#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "catalog/catalog_types.hpp"
#include "device/report_format.hpp"

namespace korvane {

// The model number given to a supported interface whose catalog mode has no
// usable device id (fewer than four characters).
inline constexpr int kReceiverFallbackType = 101;

enum LinkState : int { kNotLinked = 0, kOnline = 1, kReceiverWithoutMouse = 2 };

// One USB interface the catalog supports (one <mode> element).
struct SupportedMode {
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  std::string name;
  int device_type = 0;
  int connection_mode = 0;
  std::string device_id;
};

using ReportBytes = std::array<std::uint8_t, report::kPacketSize>;

// One accepted configuration interface, as the device list publishes it.
struct DeviceEntry {
  int index = 0;
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  std::string path;
  std::string product;
  std::uint16_t release_number = 0;
  int device_type = 0;
  int connection_mode = 0;
  int link_state = kOnline;
  // The four characters the device reports; empty until it answered.
  std::string device_id;
  // The last answer to the device information command (report id removed).
  ReportBytes device_info{};
};

// An unsolicited report (link or DPI) read from the device, with the device
// type it belongs to.
struct DeviceNotification {
  ReportBytes bytes{};
  int device_type = 0;
};

}  // namespace korvane
