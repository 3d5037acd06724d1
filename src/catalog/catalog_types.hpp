#pragma once

#include <string>
#include <vector>

namespace korvane {

enum ConnectionMode : int { kWired = 0, kReceiver = 1 };

// A model (from a <mouse> element) or one USB interface of a model (a <mode>
// element, carrying its model's fields too).
struct CatalogEntry {
  std::string name;
  int device_type = 0;
  std::string device_attr;
  std::string image;  // full path of the list picture
  // Interface entries only:
  int mode = 0;
  int vid = 0;
  int pid = 0;
  std::string dev_id;
  std::string desc;
  std::string hid_interface;
};

struct DeviceCatalog {
  std::vector<CatalogEntry> models;
  std::vector<CatalogEntry> interfaces;
  std::string version;
  std::string website_url;
  std::string feedback_url;
  std::string qa_url;
  std::string upgrade_url;
};

// What the process start needs from the catalog file before anything else.
struct StartupConfig {
  std::string caption;
  int default_lcid = 0;
  std::vector<int> languages;
};

}  // namespace korvane
