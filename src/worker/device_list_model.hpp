#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "catalog/catalog_types.hpp"

namespace korvane {

// The home page's device list as data: one row per catalog model, its
// online state, firmware version and battery values, and the selected
// model. The worker changes it, the UI draws it; every member is safe from
// either thread and readers get a consistent copy.
class DeviceListModel final {
 public:
  struct Row {
    int device_type = 0;
    std::string name;
    std::string image;
    bool online = false;
    int connection_mode = 0;
    int release_number = 0;  // 0 until a device of the type was seen
    int battery_b = 0;       // the device list shows (B, A)
    int battery_a = 0;
  };

  void SetModels(const std::vector<CatalogEntry>& models);
  void SetAllOffline();
  // The state of a (device type, connection mode): online for link state 1.
  void SetLinkState(int device_type, int connection_mode, int link_state);
  void SetVersion(int device_type, int release_number);
  void SetBattery(int device_type, int battery_b, int battery_a);
  int OnlineCount() const;
  // Selects the type when it has a row. Otherwise, when the selected row is
  // not online, the first online row is selected, so the one mouse that is
  // plugged in is picked without the user choosing it first.
  void Select(int device_type);
  int Selected() const;
  std::vector<Row> Rows() const;
  std::optional<Row> RowOf(int device_type) const;

 private:
  Row* Find(int device_type);

  mutable std::mutex mutex_;
  std::vector<Row> rows_;
  int selected_ = 0;
};

}  // namespace korvane
