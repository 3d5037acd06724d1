#include "device/udev_rules.hpp"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace korvane {

namespace {

// sysfs shows USB ids as four lower-case hex digits.
std::string SysfsId(int id) {
  char text[8];
  std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(id) & 0xFFFF);
  return text;
}

}  // namespace

std::string UdevRules(const DeviceCatalog& catalog) {
  std::vector<std::pair<int, int>> ids;
  for (const CatalogEntry& entry : catalog.interfaces) {
    const std::pair id{entry.vid, entry.pid};
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
  }
  if (ids.empty()) return {};
  std::string rules =
      "# Korvane Center: lets the logged-in user configure the supported mice without root.\n"
      "# Generated from config.xml when the program is built; edit the catalog, not this file.\n";
  for (const auto& [vid, pid] : ids) {
    rules += "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"" + SysfsId(vid) + "\", ATTRS{idProduct}==\"" + SysfsId(pid) +
             "\", TAG+=\"uaccess\"\n";
  }
  return rules;
}

}  // namespace korvane
