#pragma once

#include <cstdint>
#include <string>

#include "sim/mouse_state.hpp"

namespace korvane::sim {

// One USB device to put on the virtual bus: a wired mouse or a receiver
// with its wireless mouse. Every device presents four interfaces: keyboard
// (MI_00), mouse (MI_01), configuration (MI_02) and firmware update (MI_03).
struct VirtualDevice {
  std::string name;     // how control commands and the state name it: "wired", "receiver"
  std::string product;  // HID product string
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  std::uint16_t release_number = 0;
  MouseState state;
};

}  // namespace korvane::sim
