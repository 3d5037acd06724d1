#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/app_context.hpp"
#include "exit_codes.hpp"

namespace CLI {
class App;
}

namespace korvane::cli {

// Options every command shares.
struct CliOptions {
  std::optional<std::filesystem::path> resources;
  std::optional<std::filesystem::path> data_dir;
  // "sim:SOCKET" talks to a korvane-virtual-mouse; unset uses hidapi. The
  // environment variable KORVANE_HID gives the default.
  std::optional<std::string> hid;
  bool json = false;
  // The program's command line, to name the command that runs.
  const CLI::App* root = nullptr;

  AppContextOptions ContextOptions() const;
};

void AddCommonOptions(CLI::App& app, CliOptions& options);

// The command that runs, as "korvanectl dpi set": the program and the
// commands given, without options or values.
std::string CommandName(const CliOptions& options);

// One clear line on standard error: "korvanectl: <text>".
void PrintError(const std::string& text);

// Why --hid (or KORVANE_HID) cannot be used: an unknown kind is a usage
// error, a virtual mouse's socket that is not there leaves no mouse
// reachable.
std::optional<Failure> HidFailure(const CliOptions& options);

// Opens the application context and chooses the language as the desktop
// application does at start.
std::unique_ptr<AppContext> OpenContext(const CliOptions& options);

}  // namespace korvane::cli
