#pragma once

#include <string_view>

namespace korvane {

// Mouse buttons as a macro's events and a capture field give them.
inline constexpr int kLeftButtonBits = 1;
inline constexpr int kRightButtonBits = 2;
inline constexpr int kMiddleButtonBits = 4;
inline constexpr int kBackButtonBits = 8;
inline constexpr int kForwardButtonBits = 16;

// The name an event list shows for a mouse button ("LB", "Forward" ...);
// empty for bits that are not one button.
std::string_view MouseButtonName(int bits);

}  // namespace korvane
