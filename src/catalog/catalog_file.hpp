#pragma once

#include <filesystem>

#include "catalog/catalog_types.hpp"
#include "catalog/load_report.hpp"

namespace korvane {

// "<resources>/config.xml".
std::filesystem::path CatalogFilePath(const std::filesystem::path& resources);

// Reads the models, their interfaces, the version and the links. A missing
// or malformed file gives an empty catalog. skin_folder prefixes the list
// pictures ("<skin folder>device/<image>").
DeviceCatalog ReadCatalogFile(const std::filesystem::path& file, const std::filesystem::path& skin_folder,
                              LoadReport& report);

// The caption and the language set; empty when the file cannot be read.
StartupConfig ReadStartupConfig(const std::filesystem::path& file);

}  // namespace korvane
