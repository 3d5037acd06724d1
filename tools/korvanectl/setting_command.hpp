#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "performance/settings_target.hpp"

namespace korvane::cli {

class CliSession;
struct CliOptions;

// What a setting command does once connected: changes the setting through
// the page's model on `target` and returns nullopt, or returns the one line
// that says why the value is refused.
using SettingChange = std::function<std::optional<std::string>(CliSession& session, const SettingsTarget& target)>;

// Connects as the desktop application does; refuses when no mouse is
// reachable; applies the change; then runs each task the change queued, in
// order (a task queued twice in a row once, since it sends what is stored
// when it runs), and waits until the worker has written it. Returns the exit
// code: 0 when every write was acknowledged.
int RunSettingCommand(const CliOptions& options, const SettingChange& change);

// Connects without needing a reachable mouse (the model's database is
// enough); nullptr after printing why the connection could not be opened.
std::unique_ptr<CliSession> ConnectSession(const CliOptions& options);

// A colour argument: six hexadecimal digits, with or without a leading '#'.
std::optional<int> ColourArgument(const std::string& text);

}  // namespace korvane::cli
