#pragma once

#include <string>
#include <vector>

namespace korvane {

class ConfigStore;

// A profile as the profile dialog and korvanectl list it.
struct ProfileSummary {
  int number = 0;
  std::string stored_name;
  bool active = false;
};

// The model's profiles in order, the active one marked.
std::vector<ProfileSummary> LoadProfileList(ConfigStore& store);

}  // namespace korvane
