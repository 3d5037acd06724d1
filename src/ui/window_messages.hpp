#pragma once

namespace korvane::ui {

// Window messages handed to a window's handler, with their two parameters.
namespace msg {
inline constexpr int kClose = 0x0010;       // close request; wparam 2 ends a message box as refused
inline constexpr int kActivate = 0x0006;    // wparam 0: the window lost activation
inline constexpr int kCommand = 0x0111;     // menu command in wparam
inline constexpr int kTrayCallback = 1690;  // lparam: the tray mouse message below
inline constexpr int kExternalExit = 1691;  // lparam 610 ends the program
inline constexpr int kUpdateAvailable = 1692;
inline constexpr int kDownloadProgress = 1694;
inline constexpr int kProfileRequest = 1705;  // wparam: 0 switch, 1 import, 2 export; lparam: profile
inline constexpr int kMacroFileCommand = 1709;
inline constexpr int kInsertMenuCommand = 1710;
inline constexpr int kEventListCommand = 1711;
inline constexpr int kLanguageChanged = 2022;
}  // namespace msg

// A HID interface arrived or left (OnDeviceChange of the main window).
namespace device_change {
inline constexpr int kArrival = 0x8000;
inline constexpr int kRemoval = 0x8004;
inline constexpr int kInterfaceKind = 5;  // other kinds (volumes, ports) are ignored
}  // namespace device_change

// Tray mouse messages carried in lparam of kTrayCallback.
namespace tray {
inline constexpr int kLeftDown = 513;
inline constexpr int kLeftDoubleClick = 515;
inline constexpr int kRightUp = 517;
}  // namespace tray

// Menu commands carried in wparam of kCommand.
namespace command {
inline constexpr int kExit = 100;
inline constexpr int kAbout = 102;
}  // namespace command

}  // namespace korvane::ui
