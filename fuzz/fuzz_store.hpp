#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

#include "store/config_store.hpp"
#include "store/device_database.hpp"

namespace korvane::fuzz {

// A temporary folder of this process (below $TMPDIR, which scripts/fuzz.sh
// points at a folder it removes after the run).
inline const std::filesystem::path& FuzzFolder() {
  static const std::filesystem::path folder = [] {
    const auto made = std::filesystem::temp_directory_path() / ("korvane-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(made / "db");
    return made;
  }();
  return folder;
}

// One settings database for the whole run, so every input is read into the
// same tables.
inline ConfigStore& FuzzStore() {
  static ConfigStore store;
  static const bool opened = OpenDeviceDatabase(store, FuzzFolder(), "fuzz");
  (void)opened;
  return store;
}

}  // namespace korvane::fuzz
