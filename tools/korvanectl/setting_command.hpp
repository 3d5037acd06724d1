#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "exit_codes.hpp"
#include "performance/settings_target.hpp"

namespace korvane {
class WorkerEvents;
}

namespace korvane::cli {

class CliSession;
struct CliOptions;

// A change refused, with the line that says why; nullopt when it was made.
using Change = std::optional<Failure>;

// What a setting command does once connected: changes the setting through
// the page's model on `target`, or says why it cannot.
using SettingChange = std::function<Change(CliSession& session, const SettingsTarget& target)>;

// Connects as the desktop application does; refuses when no mouse is
// reachable; applies the change; then runs each task the change queued, in
// order (a task queued twice in a row once, since it sends what is stored
// when it runs), and waits until the worker has written it. Returns the exit
// code: success when every write was acknowledged.
ExitCode RunSettingCommand(const CliOptions& options, const SettingChange& change);

// Connects without needing a reachable mouse (the model's database is
// enough); nullptr after printing why the connection could not be opened,
// with the code to end with in `code`.
std::unique_ptr<CliSession> ConnectSession(const CliOptions& options, ExitCode& code, WorkerEvents* listener = nullptr);

// A colour argument: six hexadecimal digits, with or without a leading '#'.
std::optional<int> ColourArgument(const std::string& text);

}  // namespace korvane::cli
