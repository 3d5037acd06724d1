#pragma once

#include <nlohmann/json.hpp>

#include "sim/mouse_state.hpp"

namespace korvane::sim {

// The device state as JSON: link and plug state, the stored settings (DPI
// codes as the device keeps them, colours as "RRGGBB", button table and
// macro streams as hex), the log of every command received, and the
// firmware-update counters with the SHA-256 of the image as received.
nlohmann::ordered_json StateToJson(const MouseState& state);

}  // namespace korvane::sim
