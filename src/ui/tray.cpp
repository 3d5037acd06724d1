#include "ui/tray.hpp"

#include "common/text.hpp"
#include "ui/window_messages.hpp"

namespace korvane::ui {

namespace {
constexpr std::size_t kTooltipLength = 127;
}

std::string TrayTooltip(std::string_view caption) { return Utf8Prefix(caption, kTooltipLength); }

void HandleTrayClick(Toolkit& toolkit, std::int64_t mouse_message, std::string_view exit_text) {
  if (mouse_message == tray::kLeftDown || mouse_message == tray::kLeftDoubleClick) {
    toolkit.ShowWindow(WindowId::kMain, WindowState::kNormal);
    toolkit.RaiseWindow(WindowId::kMain);
  } else if (mouse_message == tray::kRightUp) {
    toolkit.ShowMenu({{.text = std::string(exit_text), .message = msg::kCommand, .wparam = command::kExit}});
  }
}

}  // namespace korvane::ui
