#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "sim/mouse_state.hpp"

namespace korvane::sim {

// An input report of the configuration interface as the host reads it: the
// report id (0) is not part of it. Answers mirror the request frame one byte
// lower: 0 command, 1 status, 2 sequence, 3 data length, 4..30 data,
// 31 the low 8 bits of the sum of bytes 4..30.
inline constexpr std::size_t kInputReportSize = 32;
using InputReport = std::vector<std::uint8_t>;

// Status byte of an answer.
enum Status : std::uint8_t {
  kAccepted = 0,
  kBusy = 1,            // not yet accepted; only sent by the busy fault
  kBadChecksum = 2,     // payload checksum wrong; nothing applied
  kUnknownCommand = 3,  // command code not handled by this device
  kRejected = 4,        // short frame, value out of range or packet out of order
};

// Handles one output report written to the configuration interface (byte 0
// is the report id); a command shorter than the full output report (65
// bytes) is answered with kRejected. Logs the command, applies it to the state and returns
// the answer, or nullopt when the device stays silent: a report that is not
// a command (empty, report id other than 0), and every command meant for the
// mouse while a receiver has no linked mouse.
std::optional<InputReport> HandleConfigReport(MouseState& state, std::span<const std::uint8_t> report);

// Adds a command to the state's log, as HandleConfigReport does first.
// Reports without a command byte or with a report id other than 0 are not
// logged.
void LogCommand(MouseState& state, std::span<const std::uint8_t> report);

// An answer carrying only the echoed command and a status.
InputReport StatusAnswer(std::uint8_t command, std::uint8_t status);

// Unsolicited reports: the receiver's link state with the battery values,
// and the DPI level count and index after the mouse's own DPI button.
InputReport LinkReport(const MouseState& state);
InputReport DpiReport(const MouseState& state);

// The device's own events. Each changes the state and returns the
// unsolicited report the device sends for it; nullopt when the event does
// not apply, and the state is then unchanged.
// A receiver's mouse links or leaves (leaving drops a half-received macro
// stream); not for a wired mouse, nor when already in that state.
std::optional<InputReport> LinkMouse(MouseState& state);
std::optional<InputReport> UnlinkMouse(MouseState& state);
// The mouse's DPI button picks count levels (1..6) and the index below it;
// not while a receiver's mouse is out of reach.
std::optional<InputReport> PressDpiButton(MouseState& state, int count, int index);
// New battery values always apply; only a receiver reports them (in a link
// report), a wired mouse only in its device information.
std::optional<InputReport> ChangeBattery(MouseState& state, std::uint8_t a, std::uint8_t b);

// The packet index of a multi-packet macro report (high 4 bits of the
// sequence byte); nullopt for any other report.
std::optional<int> MacroPacketIndex(std::span<const std::uint8_t> report);

}  // namespace korvane::sim
