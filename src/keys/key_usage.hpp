#pragma once

#include <string_view>

namespace korvane {

// Keys are named by Windows virtual-key codes throughout the program (stored
// assignments, macro events, profile and macro files); the mouse takes USB
// HID keyboard usages. Codes 301, 302 and 666 are the extra keys of the
// conversion table that no keyboard produces.
namespace vk {
inline constexpr int kShift = 0x10;
inline constexpr int kControl = 0x11;
inline constexpr int kMenu = 0x12;
inline constexpr int kLeftWin = 0x5B;
inline constexpr int kRightWin = 0x5C;
inline constexpr int kNumpadEnter = 0x6C;  // keypad Enter, a code of its own here
inline constexpr int kYen = 0x89;
inline constexpr int kLeftShift = 0xA0;
inline constexpr int kRightShift = 0xA1;
inline constexpr int kLeftControl = 0xA2;
inline constexpr int kRightControl = 0xA3;
inline constexpr int kLeftAlt = 0xA4;
inline constexpr int kRightAlt = 0xA5;
}  // namespace vk

// The USB HID keyboard usage of a virtual-key code; 0 for a code without one
// (the generic Shift, Ctrl and Alt codes among them).
int VirtualKeyToUsage(int virtual_key);

// The boot-keyboard modifier bit of a modifier key, given as a virtual-key
// code (0xA0-0xA5, 0x5B, 0x5C) or as a usage (0xE0-0xE7): left Ctrl 0x01,
// Shift 0x02, Alt 0x04, Win 0x08, right ones 0x10-0x80. 0 gives 0; any
// other code is returned unchanged.
int ModifierBit(int code);

// Left or right Shift, Ctrl, Alt or Win as a virtual-key code.
bool IsModifierKey(int virtual_key);

// The program's own name of a key ("RShift", "Num Enter" ...); empty for a
// key that is named by the keyboard layout.
std::string_view SpecialKeyName(int virtual_key);

}  // namespace korvane
