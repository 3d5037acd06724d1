#include <CLI/CLI.hpp>
#include <iostream>

#include "catalog/catalog_file.hpp"
#include "cli_options.hpp"
#include "commands.hpp"
#include "platform/paths.hpp"

int main(int argc, char** argv) {
  using namespace korvane;
  CLI::App app{"Configures Korvane gaming mice from the command line."};
  app.require_subcommand(0, 1);
  // Common options are accepted after the command name too.
  app.fallthrough();
  cli::CliOptions options;
  cli::AddCommonOptions(app, options);
  bool show_version = false;
  app.add_flag("--version", show_version, "Print the product version from config.xml");

  int exit_code = 0;
  cli::AddCatalogCommand(app, options, exit_code);
  cli::AddDbCommand(app, options, exit_code);
  cli::AddDevicesCommand(app, options, exit_code);
  cli::AddConnectionCommands(app, options, exit_code);
  cli::AddPerformanceCommands(app, options, exit_code);
  cli::AddLightCommand(app, options, exit_code);
  cli::AddProfileCommand(app, options, exit_code);
  cli::AddButtonCommand(app, options, exit_code);
  cli::AddMacroCommand(app, options, exit_code);

  CLI11_PARSE(app, argc, argv);

  if (show_version) {
    LoadReport report;
    const DeviceCatalog catalog = ReadCatalogFile(CatalogFilePath(ResourcesFolder(options.resources)), {}, report);
    if (!report.loaded) {
      cli::PrintError("cannot read " + report.file.string() + ": " + report.error);
      return 1;
    }
    std::cout << catalog.version << '\n';
    return 0;
  }
  if (app.get_subcommands().empty()) {
    std::cout << app.help();
    return 0;
  }
  return exit_code;
}
