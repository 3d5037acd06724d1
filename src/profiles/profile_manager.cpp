#include "profiles/profile_manager.hpp"

#include <algorithm>
#include <vector>

#include "common/text.hpp"
#include "store/config_store.hpp"
#include "store/profile_table.hpp"
#include "store/sqlite_transaction.hpp"

namespace korvane {

namespace {

bool IsProfileNumber(int profile) { return profile >= 1 && profile <= kProfileCount; }

}  // namespace

int EnsureProfiles(ConfigStore& store, const ModelSources& sources, std::string_view profile_word) {
  const ConfigStore::Lock lock = store.Hold();
  if (!store.IsOpen()) return 1;
  SQLiteAutoTransaction transaction(&store.Db());
  std::vector<ProfileRecord> profiles;
  ListProfiles(store, profiles);
  for (int n = 1; n <= kProfileCount; ++n) {
    const bool stored =
        std::any_of(profiles.begin(), profiles.end(), [n](const ProfileRecord& record) { return record.profile == n; });
    if (stored) {
      CompleteProfileConfiguration(store, n);
    } else if (AddProfile(store, {.profile = n, .name = std::string(profile_word) + " " + std::to_string(n)}) == n) {
      ReadModelDpiDefaults(sources, store, n);
    }
  }
  const int active_rows = static_cast<int>(
      std::count_if(profiles.begin(), profiles.end(), [](const ProfileRecord& record) { return record.status == 1; }));
  const int active = GetActiveProfile(store);
  if (active_rows == 1 && IsProfileNumber(active)) return active;
  SetActiveProfile(store, 1);
  return 1;
}

bool RenameProfile(ConfigStore& store, int profile, std::string_view name) {
  if (name.empty() || !IsValidUtf8(name)) return false;
  return StoreProfileName(store, profile, std::string(name));
}

}  // namespace korvane
