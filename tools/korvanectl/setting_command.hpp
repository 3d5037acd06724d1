#pragma once

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
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

// What a command changed, as it tells it once done: one line of text
// ("report rate: 1000 Hz"), or with --json one object whose "changed" names
// the setting ({"changed": "report_rate", "hertz": 1000}).
struct Confirmation {
  std::string text;
  nlohmann::ordered_json json;
};
Confirmation Confirm(const std::string& changed, std::string text,
                     const nlohmann::ordered_json& fields = nlohmann::ordered_json::object());
void PrintConfirmation(const CliOptions& options, const Confirmation& confirmation);

// Describes the change from what is stored once the mouse has it (a DPI
// value as rounded to the sensor's steps, a reset's outcome).
using DescribeChange = std::function<Confirmation(CliSession& session)>;

// Connects as the desktop application does; refuses when no mouse is
// reachable; applies the change; then runs each task the change queued, in
// order (a task queued twice in a row once, since it sends what is stored
// when it runs), and waits until the worker has written it. When every
// write was acknowledged, prints what describe says. Returns the exit code:
// success when every write was acknowledged.
ExitCode RunSettingCommand(const CliOptions& options, const SettingChange& change,
                           const DescribeChange& describe = nullptr);

// Connects without needing a reachable mouse (the model's database is
// enough), with the stored model or, with use_connected, the one connected
// (see CliSession::Connect); nullptr after printing why the connection could
// not be opened, with the code to end with in `code`.
std::unique_ptr<CliSession> ConnectSession(const CliOptions& options, ExitCode& code, WorkerEvents* listener = nullptr,
                                           bool use_connected = true);

// A colour argument: six hexadecimal digits, with or without a leading '#'.
std::optional<int> ColourArgument(const std::string& text);

}  // namespace korvane::cli
