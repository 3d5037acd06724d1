#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "device/report_packet.hpp"
#include "store/records.hpp"

namespace korvane {

// The mouse's button table: a 3-byte entry [group, A, B] per button, entry n
// at offset 3·n for buttons 0 to 19. The command carries only its first 27
// bytes (buttons 0 to 8): the checksum takes the place of entry 9, so
// buttons 9 to 19 never reach the mouse.
inline constexpr int kButtonTableEntries = 20;
inline constexpr int kButtonsSentToTheMouse = 9;
using ButtonTable = std::array<std::uint8_t, 3 * kButtonTableEntries>;

// Left, right, middle, back, forward and DPI cycle on buttons 0 to 5, the
// rest empty: what a button without a stored assignment sends.
ButtonTable DefaultButtonTable();

// The macro a type-4 assignment names, when it exists and fits the mouse;
// null otherwise (the button then keeps its entry).
using SendableMacro = std::function<const MacroHeader*(int macro_id)>;

// Writes one assignment's entry into the table. A key_code outside 0..19 and
// a type without an encoding leave the table unchanged.
void EncodeAssignment(ButtonTable& table, const KeyAssignment& assignment, const SendableMacro& macro);

// The default table with every assignment written over it, in list order.
ButtonTable BuildButtonTable(std::span<const KeyAssignment> assignments, const SendableMacro& macro);

// Command 0x09: sequence 1, length byte 0x0F, the table's first 27 bytes;
// written as a 33-byte report.
ReportPacket BuildButtonTableCommand(const ButtonTable& table);

}  // namespace korvane
