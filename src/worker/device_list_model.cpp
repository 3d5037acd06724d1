#include "worker/device_list_model.hpp"

#include <algorithm>

#include "device/device_types.hpp"

namespace korvane {

void DeviceListModel::SetModels(const std::vector<CatalogEntry>& models) {
  std::lock_guard lock(mutex_);
  rows_.clear();
  for (const CatalogEntry& model : models) {
    Row row;
    row.device_type = model.device_type;
    row.name = model.name;
    row.image = model.image;
    rows_.push_back(row);
  }
}

DeviceListModel::Row* DeviceListModel::Find(int device_type) {
  const auto it = std::find_if(rows_.begin(), rows_.end(), [&](const Row& r) { return r.device_type == device_type; });
  return it == rows_.end() ? nullptr : &*it;
}

void DeviceListModel::SetAllOffline() {
  std::lock_guard lock(mutex_);
  for (Row& row : rows_) row.online = false;
}

void DeviceListModel::SetLinkState(int device_type, int connection_mode, int link_state) {
  std::lock_guard lock(mutex_);
  if (Row* row = Find(device_type)) {
    row->online = link_state == kOnline;
    row->connection_mode = connection_mode;
  }
}

void DeviceListModel::SetVersion(int device_type, int release_number) {
  std::lock_guard lock(mutex_);
  if (Row* row = Find(device_type)) row->release_number = release_number;
}

void DeviceListModel::SetBattery(int device_type, int battery_b, int battery_a) {
  std::lock_guard lock(mutex_);
  if (Row* row = Find(device_type)) {
    row->battery_b = battery_b;
    row->battery_a = battery_a;
  }
}

int DeviceListModel::OnlineCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const Row& r) { return r.online; }));
}

void DeviceListModel::Select(int device_type) {
  std::lock_guard lock(mutex_);
  if (Find(device_type)) {
    selected_ = device_type;
    return;
  }
  const Row* current = Find(selected_);
  if (current && current->online) return;
  const auto online = std::find_if(rows_.begin(), rows_.end(), [](const Row& r) { return r.online; });
  if (online != rows_.end()) selected_ = online->device_type;
}

int DeviceListModel::Selected() const {
  std::lock_guard lock(mutex_);
  return selected_;
}

std::vector<DeviceListModel::Row> DeviceListModel::Rows() const {
  std::lock_guard lock(mutex_);
  return rows_;
}

std::optional<DeviceListModel::Row> DeviceListModel::RowOf(int device_type) const {
  std::lock_guard lock(mutex_);
  for (const Row& row : rows_) {
    if (row.device_type == device_type) return row;
  }
  return std::nullopt;
}

}  // namespace korvane
