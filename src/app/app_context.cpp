#include "app/app_context.hpp"

#include "catalog/catalog_file.hpp"
#include "platform/paths.hpp"

namespace korvane {

namespace {
constexpr char kTheme[] = "default";
}

AppContext::AppContext(const AppContextOptions& options)
    : resources_(ResourcesFolder(options.resources)),
      config_(ReadStartupConfig(CatalogFilePath(resources_))),
      data_folder_(korvane::DataFolder(config_.caption, options.data_dir)),
      settings_(options.config_dir ? *options.config_dir : ConfigFolder(config_.caption)),
      language_(resources_, settings_) {
  language_.SetLanguageSet(config_.languages);
  language_.SetCurrentLcid(config_.default_lcid);
}

std::filesystem::path AppContext::SkinFolder() const { return resources_ / "skins" / kTheme; }

}  // namespace korvane
