#pragma once

#include <array>

namespace korvane {

// One option of the desktop program's command line.
struct DesktopOption {
  const char* name;        // without dashes
  const char* value_name;  // empty for a switch
  const char* help;
  // Written with one dash ("-hide"), as the autostart entry and the
  // start-up steps use it; the others take two.
  bool single_dash = false;
};

inline constexpr char kDesktopSummary[] = "configure Korvane gaming mice on the desktop";

// The options of korvane: its --help and its manual page both list these.
inline constexpr std::array<DesktopOption, 6> kDesktopOptions{{
    {"resources", "dir",
     "Folder with config.xml, device/, language/ and skins/ (default: ../share/korvane beside the "
     "program's folder, or the program's own folder when config.xml is there)."},
    {"data-dir", "dir",
     "Per-user data folder with the settings databases (default: $XDG_DATA_HOME/Korvane Center Files)."},
    {"hid", "transport",
     "HID access: sim:SOCKET talks to a korvane-virtual-mouse (default: $KORVANE_HID, else the "
     "system's HID devices)."},
    {"hide", "", "Start with the window hidden in the tray.", true},
    {"autorun", "", "Started at login by the autostart entry.", true},
    {"help", "", "Show the options and exit."},
}};

}  // namespace korvane
