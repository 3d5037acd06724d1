#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "store/records.hpp"

namespace korvane {

// Macro event types as stored.
enum MacroEventType : int {
  kEventDelay = 1,
  kEventKeyDown = 2,
  kEventKeyUp = 3,
  kEventMouseDown = 4,
  kEventMouseUp = 5,
  kEventWheelUp = 6,
  kEventWheelDown = 7,
};

// The mouse numbers a macro's frames in four bits, so a macro stream fits at
// most 15 frames of 27 bytes: the button byte and 101 four-byte records.
inline constexpr std::size_t kMaxMacroRecords = 101;
inline constexpr std::size_t kMacroRecordSize = 4;

// The events as the mouse's records, 4 bytes each: event code (0x30/0xB0
// key, 0x20/0xA0 modifier, 0x10/0x90 mouse button, press/release), the delay
// after the event in ms (16 bits, low byte first, taken modulo 65536) and the
// key usage, modifier bit or button bits. Delay events only add to the delay
// after the record before them (a leading delay moves behind the first
// record); wheel and unknown events make no record.
std::vector<std::uint8_t> EncodeMacroEvents(std::span<const MacroEvent> events);

// The command 0x08 payload: the button's key_code, then the records.
std::vector<std::uint8_t> MacroStream(int key_code, std::span<const MacroEvent> events);

// Whether a stream of that many records can be numbered in frames.
inline bool MacroFitsTheMouse(std::size_t records) { return records <= kMaxMacroRecords; }

}  // namespace korvane
