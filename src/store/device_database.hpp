#pragma once

#include <filesystem>
#include <string>

namespace korvane {

class ConfigStore;

// "<data folder>/db/<device_attr>_data1.db".
std::filesystem::path DeviceDatabasePath(const std::filesystem::path& data_folder, const std::string& device_attr);

// Opens the model's settings database in the store, creating the file with
// the full schema when it does not exist. An existing file is opened as it
// is: never examined, upgraded or overwritten. When the store's connection is
// still open the result is true and nothing is reopened, so a caller that
// switches models closes the store first (holding its lock across both).
// Stores the path and the result in the store and returns the result; on a
// new file the result is false when any schema statement failed, although
// the connection stays open.
bool OpenDeviceDatabase(ConfigStore& store, const std::filesystem::path& data_folder, const std::string& device_attr);

}  // namespace korvane
