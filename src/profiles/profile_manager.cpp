#include "profiles/profile_manager.hpp"

#include <vector>

#include "common/text.hpp"
#include "store/profile_table.hpp"

namespace korvane {

int EnsureProfiles(ConfigStore& store, const ModelSources& sources, std::string_view profile_word) {
  std::vector<ProfileRecord> profiles;
  if (ListProfiles(store, profiles) == 0) {
    for (int i = 1; i <= kProfileCount; ++i) {
      ProfileRecord record;
      record.name = std::string(profile_word) + " " + std::to_string(i);
      const int profile = AddProfile(store, record);
      if (profile > 0) ReadModelDpiDefaults(sources, store, profile);
    }
    SetActiveProfile(store, 1);
  }
  const int active = GetActiveProfile(store);
  if (active > 0) return active;
  SetActiveProfile(store, 1);
  return 1;
}

bool RenameProfile(ConfigStore& store, int profile, std::string_view name) {
  if (name.empty() || !IsValidUtf8(name)) return false;
  return StoreProfileName(store, profile, std::string(name));
}

}  // namespace korvane
