#pragma once

#include <cstdint>

namespace korvane::sim {

// The device code a sensor uses for a DPI value: the value is clamped to the
// sensor's range and falls to the step below when it lies between steps.
// Sensors the table does not know use the 50-DPI-step code of the default
// row (code = DPI / 50 - 1).
std::uint16_t DpiCode(int sensor_id, int dpi);

}  // namespace korvane::sim
