#pragma once

#include "ui/toolkit.hpp"

namespace korvane::ui {

// A rect of this size centred in area.
Rect CentredIn(Rect area, int width, int height);

// Where the program's own windows are placed: on the main window while it is
// on screen, else (hidden to the tray or minimised) on the work area.
Rect OwnerArea(const Toolkit& toolkit);

// Places window, width x height, centred on the owner area.
void PlaceOnOwner(Toolkit& toolkit, WindowId window, int width, int height);

}  // namespace korvane::ui
