#pragma once

#include <string>
#include <string_view>

#include "common/text_lookup.hpp"
#include "ui/toolkit.hpp"

namespace korvane::ui {

// "v<M>.<mm>" from a device release number written in hex: M is its first
// hex digit, mm its last two (0x0105 gives "v1.05", 0x1A2B "v1.2B", 0x42
// "v4.42").
std::string ReleaseVersion(int release);

// "<label>: " and the release version ("Firmware version: v1.05").
std::string ReleaseVersionText(std::string_view label, int release);

// What the about box tells.
struct AboutInfo {
  std::string caption;  // the application's name
  std::string version;  // the application's version ("1.0.1")
  int release = 0;      // the connected mouse's release number; 0 when none
};

// AboutDlg: the about box, 500 x 300, centred on the main window, modal,
// titled with the application's name; it shows the name with the version
// and, when a mouse is connected, its firmware version. Its close button or
// a close request ends it.
void ShowAboutBox(Toolkit& toolkit, const TextLookup& text, const AboutInfo& about);

}  // namespace korvane::ui
