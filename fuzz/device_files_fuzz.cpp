// The device list (config.xml) and a model definition file read from the
// same bytes, through the XML cursor.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "catalog/catalog_file.hpp"
#include "catalog/load_report.hpp"
#include "catalog/model_definition.hpp"
#include "fuzz_store.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path file = korvane::fuzz::FuzzFolder() / "device.xml";
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  korvane::LoadReport report;
  korvane::ReadCatalogFile(file, {}, report);
  korvane::ReadStartupConfig(file);
  korvane::DeviceModel model;
  korvane::ReadModelDefinition(file, model, report);
  return 0;
}
