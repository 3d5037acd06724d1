#pragma once

#include <string>

namespace korvane {

// Receives the USB interfaces the program supports. The device manager
// implements it; the catalog registers every interface entry with it.
class SupportedModeRegistry {
 public:
  virtual ~SupportedModeRegistry() = default;
  virtual void ClearSupportedModes() = 0;
  virtual void AddSupportedMode(int vid, int pid, const std::string& name, int device_type, int mode,
                                const std::string& dev_id) = 0;
};

}  // namespace korvane
