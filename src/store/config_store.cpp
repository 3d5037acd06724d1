#include "store/config_store.hpp"

namespace korvane {

std::string ConfigStore::Path() {
  const Lock lock = Hold();
  return path_;
}

bool ConfigStore::IsOpen() {
  const Lock lock = Hold();
  return open_;
}

void ConfigStore::SetOpenResult(const std::string& path, bool open) {
  const Lock lock = Hold();
  path_ = path;
  open_ = open;
}

bool ConfigStore::Close() {
  const Lock lock = Hold();
  return db_.Close();
}

}  // namespace korvane
