#pragma once

#include <string>
#include <string_view>

#include "common/text_lookup.hpp"
#include "ui/toolkit.hpp"

namespace korvane::ui {

// "v<M>.<mm>" from a device release number: M is its third hex digit from
// the right, mm its last two hex digits (0x0105 gives "v1.05").
std::string ReleaseVersion(int release);

// "<label>: " and the release version ("Firmware version: v1.05").
std::string ReleaseVersionText(std::string_view label, int release);

// AboutDlg: the about box, 500 x 300, centred, modal; its close button or a
// close request ends it.
void ShowAboutBox(Toolkit& toolkit, const TextLookup& text, int release);

}  // namespace korvane::ui
