#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "catalog/catalog_types.hpp"
#include "language/language_catalog.hpp"
#include "platform/app_settings.hpp"

namespace korvane {

struct AppContextOptions {
  std::optional<std::filesystem::path> resources;   // --resources
  std::optional<std::filesystem::path> data_dir;    // --data-dir
  std::optional<std::filesystem::path> config_dir;  // application settings folder
};

// The process-wide values every front end needs: the resources folder, the
// caption and language set read from config.xml, the data folder, the
// application settings and the language catalog.
class AppContext final {
 public:
  // Reads the caption and the language set from config.xml. A missing or
  // malformed file leaves both empty; the program still starts.
  explicit AppContext(const AppContextOptions& options);

  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  const std::filesystem::path& Resources() const { return resources_; }
  const std::filesystem::path& DataFolder() const { return data_folder_; }
  std::filesystem::path DatabaseFolder() const { return data_folder_ / "db"; }
  // "<resources>/skins/<theme>/".
  std::filesystem::path SkinFolder() const;
  const std::string& Caption() const { return config_.caption; }
  const StartupConfig& Config() const { return config_; }

  AppSettings& Settings() { return settings_; }
  const AppSettings& Settings() const { return settings_; }
  LanguageCatalog& Language() { return language_; }
  const LanguageCatalog& Language() const { return language_; }

 private:
  std::filesystem::path resources_;
  StartupConfig config_;
  std::filesystem::path data_folder_;
  AppSettings settings_;
  LanguageCatalog language_;
};

}  // namespace korvane
