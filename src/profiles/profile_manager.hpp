#pragma once

#include <string>
#include <string_view>

#include "profiles/model_loader.hpp"

namespace korvane {

class ConfigStore;

inline constexpr int kProfileCount = 4;

// Makes sure the model's database holds its four profiles, all in one
// transaction so that a start killed half-way leaves all of it or none: a
// missing profile n is added as "<word> n" (word = the language's word for
// profile) with the model's DPI defaults, a profile missing some
// configuration keys gets their default rows, and profile 1 is marked active
// unless exactly one of the four is. Nothing the user stored is changed or
// deleted. Returns the active profile; 1 when the store is not open (nothing
// is touched, and every write to it fails and is reported).
int EnsureProfiles(ConfigStore& store, const ModelSources& sources, std::string_view profile_word);

// Renames a profile; an empty name is ignored (false).
bool RenameProfile(ConfigStore& store, int profile, std::string_view name);

}  // namespace korvane
