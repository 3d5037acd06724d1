#pragma once

#include <string>

#include "catalog/catalog_types.hpp"

namespace korvane {

// The udev rules that give the logged-in user access to the hidraw nodes of
// exactly the catalog's vendor/product ids, one rule per distinct pair in
// catalog order. Empty when the catalog lists no interface.
std::string UdevRules(const DeviceCatalog& catalog);

}  // namespace korvane
