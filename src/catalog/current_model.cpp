#include "catalog/current_model.hpp"

#include <string>

#include "platform/app_settings.hpp"

namespace korvane {

namespace {
constexpr char kDeviceTypeSetting[] = "DeviceType";
}

int GetCurrentType(const AppSettings& settings) { return settings.ReadAppSetting(kDeviceTypeSetting); }

void SetCurrentType(AppSettings& settings, int device_type) {
  settings.WriteAppSetting(kDeviceTypeSetting, std::to_string(device_type));
}

void RegisterInterfaces(const DeviceCatalog& catalog, SupportedModeRegistry& registry) {
  registry.ClearSupportedModes();
  for (const CatalogEntry& entry : catalog.interfaces) {
    registry.AddSupportedMode(entry.vid, entry.pid, std::string(), entry.device_type, entry.mode, entry.dev_id);
  }
}

const CatalogEntry* FindModel(const DeviceCatalog& catalog, int device_type) {
  for (const CatalogEntry& model : catalog.models) {
    if (model.device_type == device_type) return &model;
  }
  return nullptr;
}

}  // namespace korvane
