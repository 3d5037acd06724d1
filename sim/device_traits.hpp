#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace korvane::sim {

// What only the hardware knows about a model: nothing in the shipped
// catalog or definition files says it.
struct DeviceTraits {
  std::uint8_t sensor_id = 0;
  std::uint8_t rate_capability = 0;  // highest report-rate code: 0x10, 0x20, 0x40
  std::uint16_t release_number = 0x0100;
  std::array<std::uint8_t, 2> receiver_version{1, 0};  // major, minor
  std::uint8_t battery_a = 0;
  std::uint8_t battery_b = 0;
};

// The traits of a shipped model by its device_attr; a model the table does
// not know gets a plain 1000 Hz mouse with the default sensor row.
DeviceTraits TraitsOf(std::string_view device_attr);

}  // namespace korvane::sim
