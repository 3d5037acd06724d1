#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// The program and arguments that open the desktop's own mouse settings:
// GNOME's settings panel, or KDE's mouse module, chosen by
// XDG_CURRENT_DESKTOP; on another desktop the first of the two that
// `installed` finds, so a system with either still gets its panel. Empty
// when neither is installed.
std::vector<std::string> SystemMouseSettingsCommand(std::string_view current_desktop,
                                                    const std::function<bool(const std::string&)>& installed);

// Starts that command detached and returns at once, without waiting for the
// panel; false when no panel could be started.
bool OpenSystemMouseSettings();

}  // namespace korvane
