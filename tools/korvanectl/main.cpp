#include <CLI/CLI.hpp>
#include <iostream>

#include "catalog/catalog_file.hpp"
#include "command_line.hpp"
#include "platform/paths.hpp"

int main(int argc, char** argv) {
  using namespace korvane;
  cli::CommandLine line;
  try {
    line.app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // --help ends here too, printed by CLI11 with its success code.
    if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return line.app.exit(error);
    return static_cast<int>(cli::Fail(error.what()));
  }

  if (line.show_version) {
    LoadReport report;
    const DeviceCatalog catalog = ReadCatalogFile(CatalogFilePath(ResourcesFolder(line.options.resources)), {}, report);
    if (!report.loaded) {
      return static_cast<int>(
          cli::Fail({"cannot read " + report.file.string() + ": " + report.error, cli::ExitCode::kFile}));
    }
    std::cout << catalog.version << '\n';
    return 0;
  }
  if (line.app.get_subcommands().empty()) {
    std::cout << line.app.help();
    return 0;
  }
  return static_cast<int>(line.exit_code);
}
