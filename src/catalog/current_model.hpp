#pragma once

#include "catalog/catalog_types.hpp"
#include "catalog/supported_modes.hpp"

namespace korvane {

class AppSettings;

// The device type of the model the user works with, kept in the "DeviceType"
// application setting. An absent value or unreadable settings read as 0.
int GetCurrentType(const AppSettings& settings);
void SetCurrentType(AppSettings& settings, int device_type);

// Clears the registry's modes, then adds every interface entry in catalog
// order (with an empty name).
void RegisterInterfaces(const DeviceCatalog& catalog, SupportedModeRegistry& registry);

// The first model with this device type, or nullptr.
const CatalogEntry* FindModel(const DeviceCatalog& catalog, int device_type);

}  // namespace korvane
