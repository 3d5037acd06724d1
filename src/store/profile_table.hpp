#pragma once

#include <string>
#include <vector>

#include "store/records.hpp"

namespace korvane {

class ConfigStore;

// Inserts a profile (the record's name and app; status 0, type 0) and its
// full default configuration under one hold of the lock, so no other thread
// sees the profile without its configuration. Returns the new profile
// number, 0 when the insert failed.
int AddProfile(ConfigStore& store, const ProfileRecord& record);

bool StoreProfileName(ConfigStore& store, int profile, const std::string& name);

// name is emptied first; true when the profile exists.
bool GetProfileName(ConfigStore& store, int profile, std::string& name);

// Empties the list, then one record per row in insertion order. Returns the
// count.
int ListProfiles(ConfigStore& store, std::vector<ProfileRecord>& profiles);

// Marks every profile inactive, then the given one active. A number without a
// row leaves no active profile and still succeeds.
bool SetActiveProfile(ConfigStore& store, int profile);

// The first profile with status 1, or 0 when none is active.
int GetActiveProfile(ConfigStore& store);

}  // namespace korvane
