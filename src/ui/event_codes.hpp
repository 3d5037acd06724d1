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
// A key field (the buttons page's key capture).
inline constexpr int kCaptureEnded = 29;    // it lost the focus
inline constexpr int kCaptureStarted = 30;  // it took the focus
inline constexpr int kKeyPressed = 31;      // a key was pressed; the parameter is its evdev code
}  // namespace event

}  // namespace korvane::ui
