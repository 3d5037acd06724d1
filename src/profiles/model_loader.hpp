#pragma once

#include <filesystem>

#include "catalog/catalog_types.hpp"
#include "catalog/load_report.hpp"
#include "catalog/model_definition.hpp"

namespace korvane {

class AppSettings;
class ConfigStore;

// What loading the current model reads.
struct ModelSources {
  const DeviceCatalog& catalog;
  const AppSettings& settings;        // holds the current device type
  std::filesystem::path resources;    // the definition files in device/
  std::filesystem::path data_folder;  // the settings databases in db/
};

// Loads the model of the stored current type: takes its name and
// device_attr from the catalog (both empty when no model has that type),
// closes the store's database and opens the model's one, creating it when
// the file does not exist, then reads the model's definition file into
// model. The close and the open happen under one hold of the store's lock,
// so a table operation on another thread sees the old database or the new
// one, never neither. Returns whether the definition file was read; a file
// that cannot be read leaves the rest of model as it was. store.IsOpen()
// tells whether the database opened.
bool LoadDeviceModel(const ModelSources& sources, ConfigStore& store, DeviceModel& model, LoadReport& report);

// Writes the current model's defaults to the profile's configuration keys:
// "dpi_index", "dpi_count" and "dpi_flag", "dpi_group<N-1>_value" and
// "dpi_group<N-1>_rgb" of each level N, "report_rate", "sleep_light",
// "move_wakeup" and "move_closelight". Only values the definition file has
// are written, all under one hold of the store's lock.
void ReadModelDefaults(const ModelSources& sources, ConfigStore& store, int profile);

// Only the DPI part of the defaults: index, count and flag, each level's
// value and colour. A stored active level past the new count becomes level 0.
void ReadModelDpiDefaults(const ModelSources& sources, ConfigStore& store, int profile);

}  // namespace korvane
