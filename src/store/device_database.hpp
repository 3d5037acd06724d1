#pragma once

#include <filesystem>
#include <string>

namespace korvane {

class ConfigStore;

// "<data folder>/db/<device_attr>_data1.db".
std::filesystem::path DeviceDatabasePath(const std::filesystem::path& data_folder, const std::string& device_attr);

// Opens the model's settings database in the store, creating the file when it
// does not exist, and creates in one transaction whatever tables and indexes
// the file lacks (a complete file is not written; the user's rows are never
// touched). A device_attr that is not a safe file name (empty, or with other
// characters than letters, digits, '_' and '-') opens nothing. When the
// store's connection is still open the result is true and nothing is
// reopened, so a caller that switches models closes the store first (holding
// its lock across both). Stores the path and the result in the store and
// returns the result; it is false when any schema statement failed, although
// the connection stays open.
bool OpenDeviceDatabase(ConfigStore& store, const std::filesystem::path& data_folder, const std::string& device_attr);

}  // namespace korvane
