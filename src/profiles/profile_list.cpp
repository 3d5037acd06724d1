#include "profiles/profile_list.hpp"

#include "store/profile_table.hpp"

namespace korvane {

std::vector<ProfileSummary> LoadProfileList(ConfigStore& store) {
  std::vector<ProfileRecord> records;
  ListProfiles(store, records);
  std::vector<ProfileSummary> list;
  for (const ProfileRecord& record : records) list.push_back({record.profile, record.name, record.status == 1});
  return list;
}

}  // namespace korvane
