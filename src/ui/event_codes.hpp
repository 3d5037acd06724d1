#pragma once

namespace korvane::ui {

// Codes of the control events a front end delivers as (control, code, parameter).
namespace event {
inline constexpr int kClick = 2;           // click, commit or release
inline constexpr int kSliderMoving = 8;    // a slider is being dragged
inline constexpr int kColourSwatch = 9;    // a level's colour swatch was clicked (DPIControl)
inline constexpr int kTextChanged = 26;    // an edit's text changed
inline constexpr int kPaletteMoving = 27;  // the palette's colour is moving
inline constexpr int kValueTyped = 29;     // a value was typed (DPIControl, NumberEdit, list rename)
inline constexpr int kLevelSelected = 30;  // a level was selected (DPIControl)
// A key field (key capture) and the control a key recording reports to.
inline constexpr int kCaptureEnded = 29;    // the field lost the focus
inline constexpr int kCaptureStarted = 30;  // the field took the focus
inline constexpr int kKeyPressed = 31;      // a key was pressed; the parameter is its evdev code
inline constexpr int kKeyReleased = 32;     // a key was released (recordings only); the evdev code
// A mouse button pressed in a capture field; the parameter is its button
// bits (1 left, 2 right, 4 middle, 8 back, 16 forward).
inline constexpr int kMouseButtonPressed = 33;
// The user asked for a list's context menu (right click or the menu key);
// the parameter is the index of the item under the pointer, -1 for none.
inline constexpr int kContextMenu = 34;
}  // namespace event

}  // namespace korvane::ui
