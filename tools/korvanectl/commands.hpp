#pragma once

#include "exit_codes.hpp"

namespace CLI {
class App;
}

namespace korvane::cli {

struct CliOptions;

// Each command group adds its subcommand to the application; the callback
// sets the process exit code through the int it is given.
void AddCatalogCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code);
void AddDbCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code);
void AddDevicesCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code);
void AddConnectionCommands(CLI::App& app, CliOptions& options, ExitCode& exit_code);
void AddPerformanceCommands(CLI::App& app, CliOptions& options, ExitCode& exit_code);
void AddLightCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code);
void AddProfileCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code);
void AddButtonCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code);
void AddMacroCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code);
void AddUpdateCommands(CLI::App& app, CliOptions& options, ExitCode& exit_code);

}  // namespace korvane::cli
