// Writes the udev rules file for the models of a catalog file:
//   korvane-udev-rules <config.xml> <rules file>
#include <fstream>
#include <iostream>

#include "catalog/catalog_file.hpp"
#include "device/udev_rules.hpp"

int main(int argc, char** argv) {
  using namespace korvane;
  if (argc != 3) {
    std::cerr << "usage: korvane-udev-rules <config.xml> <rules file>\n";
    return 2;
  }
  LoadReport report;
  const DeviceCatalog catalog = ReadCatalogFile(argv[1], {}, report);
  if (!report.loaded) {
    std::cerr << "korvane-udev-rules: cannot read " << argv[1] << ": " << report.error << '\n';
    return 1;
  }
  const std::string rules = UdevRules(catalog);
  if (rules.empty()) {
    std::cerr << "korvane-udev-rules: " << argv[1] << " lists no device\n";
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << rules;
  out.close();
  if (!out) {
    std::cerr << "korvane-udev-rules: cannot write " << argv[2] << '\n';
    return 1;
  }
  return 0;
}
