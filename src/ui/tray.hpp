#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/toolkit.hpp"

namespace korvane::ui {

// The tray tooltip: the caption's first 127 characters.
std::string TrayTooltip(std::string_view caption);

// A tray click (the lparam of msg::kTrayCallback): a left click or double
// click shows the main window in front; a right click opens the one-item
// menu whose choice is the exit command (msg::kCommand, command::kExit).
void HandleTrayClick(Toolkit& toolkit, std::int64_t mouse_message, std::string_view exit_text);

}  // namespace korvane::ui
