#include "profiles/model_loader.hpp"

#include <optional>
#include <string>

#include "catalog/current_model.hpp"
#include "store/config_store.hpp"
#include "store/config_table.hpp"
#include "store/device_database.hpp"

namespace korvane {

namespace {

// Name and device_attr of the current model; empty when no model has the
// stored type.
CatalogEntry CurrentModelEntry(const ModelSources& sources) {
  const CatalogEntry* entry = FindModel(sources.catalog, GetCurrentType(sources.settings));
  return entry ? *entry : CatalogEntry{};
}

void WriteDefault(ConfigStore& store, int profile, ConfigKey key, const std::optional<int>& value) {
  if (value) SetConfigValue(store, profile, key, std::to_string(*value));
}

}  // namespace

bool LoadDeviceModel(const ModelSources& sources, ConfigStore& store, DeviceModel& model, LoadReport& report) {
  const CatalogEntry entry = CurrentModelEntry(sources);
  model.name = entry.name;
  model.device_attr = entry.device_attr;
  {
    const ConfigStore::Lock lock = store.Hold();
    store.Close();
    OpenDeviceDatabase(store, sources.data_folder, entry.device_attr);
  }
  return ReadModelDefinition(ModelFilePath(sources.resources, entry.device_attr), model, report);
}

namespace {

void WriteDpiDefaults(ConfigStore& store, int profile, const ModelDefaults& defaults) {
  WriteDefault(store, profile, ConfigKey::kDpiIndex, defaults.default_dpi);
  WriteDefault(store, profile, ConfigKey::kDpiCount, defaults.dpi_count);
  WriteDefault(store, profile, ConfigKey::kDpiFlag, defaults.dpi_count);
  // A new count may leave the stored active level past the last one.
  if (ConfigInt(store, profile, ConfigKey::kDpiIndex) >= ConfigInt(store, profile, ConfigKey::kDpiCount)) {
    SetConfigInt(store, profile, ConfigKey::kDpiIndex, 0);
  }
  static_assert(kMaxDpiLevels <= kDpiValueKeys && kMaxDpiLevels <= kDpiColourKeys);
  for (int k = 0; k < kMaxDpiLevels; ++k) {
    WriteDefault(store, profile, DpiValueKey(k), defaults.dpi_value[k]);
    WriteDefault(store, profile, DpiColourKey(k), defaults.dpi_colour[k]);
  }
}

ModelDefaults CurrentDefaults(const ModelSources& sources) {
  return ReadModelDefaultsFile(ModelFilePath(sources.resources, CurrentModelEntry(sources).device_attr));
}

}  // namespace

void ReadModelDefaults(const ModelSources& sources, ConfigStore& store, int profile) {
  const ModelDefaults defaults = CurrentDefaults(sources);
  const ConfigStore::Lock lock = store.Hold();
  WriteDpiDefaults(store, profile, defaults);
  WriteDefault(store, profile, ConfigKey::kReportRate, defaults.report_rate);
  WriteDefault(store, profile, ConfigKey::kSleepLight, defaults.sleep_light);
  WriteDefault(store, profile, ConfigKey::kMoveWakeup, defaults.move_wakeup);
  WriteDefault(store, profile, ConfigKey::kMoveCloseLight, defaults.move_closelight);
}

void ReadModelDpiDefaults(const ModelSources& sources, ConfigStore& store, int profile) {
  const ModelDefaults defaults = CurrentDefaults(sources);
  const ConfigStore::Lock lock = store.Hold();
  WriteDpiDefaults(store, profile, defaults);
}

}  // namespace korvane
