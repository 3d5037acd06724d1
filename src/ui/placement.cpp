#include "ui/placement.hpp"

namespace korvane::ui {

Rect CentredIn(Rect area, int width, int height) {
  return {area.left + (area.width - width) / 2, area.top + (area.height - height) / 2, width, height};
}

Rect OwnerArea(const Toolkit& toolkit) {
  const WindowState main = toolkit.GetWindowState(WindowId::kMain);
  const bool on_screen = main == WindowState::kNormal || main == WindowState::kMaximised;
  return on_screen ? toolkit.WindowRect(WindowId::kMain) : toolkit.WorkArea();
}

void PlaceOnOwner(Toolkit& toolkit, WindowId window, int width, int height) {
  toolkit.MoveWindow(window, CentredIn(OwnerArea(toolkit), width, height));
}

}  // namespace korvane::ui
