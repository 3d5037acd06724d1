#pragma once

namespace korvane {

// The reverse-DNS application id: the name of the desktop entry, of the icon
// and of the autostart entry, the AppStream component id and the desktop file
// name the desktop matches windows and notifications with. The build sets it
// once (KORVANE_APP_ID in the top CMakeLists.txt).
inline constexpr char kApplicationId[] = KORVANE_APP_ID;

}  // namespace korvane
