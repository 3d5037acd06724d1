#pragma once

#include <string>
#include <vector>

#include "store/records.hpp"

namespace korvane {

class ConfigStore;

// Inserts a profile (the record's name and app; status 0, type 0) and its
// full default configuration under one hold of the lock, so no other thread
// sees the profile without its configuration. The record's profile number is
// used when it is positive, the next free one otherwise. Returns the profile
// number, 0 when the profile's row was not inserted (then nothing is).
int AddProfile(ConfigStore& store, const ProfileRecord& record);

// Inserts the default row of every configuration key the profile lacks,
// leaving the stored ones as they are. A complete profile costs one read and
// no write. False when a read or an insert failed.
bool CompleteProfileConfiguration(ConfigStore& store, int profile);

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
