#pragma once

#include <CLI/CLI.hpp>

#include "cli_options.hpp"
#include "exit_codes.hpp"

namespace korvane::cli {

// Every option and command of korvanectl in one place: the program parses
// with it, and korvanectl-docs writes the manual page and the shell
// completion from it, so neither can drift from --help.
struct CommandLine {
  CommandLine();
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;

  CLI::App app{"Configures Korvane gaming mice from the command line.", "korvanectl"};
  CliOptions options;
  bool show_version = false;
  // Set by the command that ran.
  ExitCode exit_code = ExitCode::kSuccess;
};

}  // namespace korvane::cli
