#pragma once

namespace korvane {

// The virtual-key code of a physical key, from its Linux input event code
// (the evdev code; X11 and Wayland key codes are that code + 8). The code
// names the key's position, not its label: the key beside Tab is 'Q' on
// every layout, and the mouse then sends that key's usage, which the
// computer types as whatever its layout puts there. Left and right
// modifiers come from their own keys; keypad keys keep their keypad codes
// whatever Num Lock says. 0 for a key without a code.
int EvdevToVirtualKey(int evdev_code);

// The evdev code inside a native X11 or Wayland key code.
inline int EvdevFromNativeKeyCode(int native_code) { return native_code - 8; }

// During a key capture the side modifiers are ignored: the combination's
// modifiers come from the panel's toggles.
bool IgnoredDuringKeyCapture(int virtual_key);

}  // namespace korvane
