#include <CLI/CLI.hpp>
#include <iostream>

#include "catalog/catalog_file.hpp"
#include "command_line.hpp"
#include "platform/paths.hpp"

int main(int argc, char** argv) {
  using namespace korvane;
  cli::CommandLine line;
  CLI11_PARSE(line.app, argc, argv);

  if (line.show_version) {
    LoadReport report;
    const DeviceCatalog catalog = ReadCatalogFile(CatalogFilePath(ResourcesFolder(line.options.resources)), {}, report);
    if (!report.loaded) {
      cli::PrintError("cannot read " + report.file.string() + ": " + report.error);
      return 1;
    }
    std::cout << catalog.version << '\n';
    return 0;
  }
  if (line.app.get_subcommands().empty()) {
    std::cout << line.app.help();
    return 0;
  }
  return line.exit_code;
}
