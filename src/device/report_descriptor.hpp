#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace korvane {

// The length of the longest output report a HID report descriptor declares,
// as it is written: the report id byte (0 when reports are unnumbered) and
// the report's data bytes. nullopt when the descriptor declares no output
// report or ends inside an item.
std::optional<std::size_t> OutputReportLength(std::span<const std::uint8_t> descriptor);

}  // namespace korvane
