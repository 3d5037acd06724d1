#pragma once

#include <string>
#include <string_view>

#include "profiles/model_loader.hpp"

namespace korvane {

class ConfigStore;

inline constexpr int kProfileCount = 4;

// Makes sure the model's database holds its four profiles: when it has none,
// adds "<word> 1" ... "<word> 4" (word = the language's word for profile),
// each with the model's DPI defaults, and marks profile 1 active. Returns the
// active profile, marking profile 1 active when none is.
int EnsureProfiles(ConfigStore& store, const ModelSources& sources, std::string_view profile_word);

// Renames a profile; an empty name is ignored (false).
bool RenameProfile(ConfigStore& store, int profile, std::string_view name);

}  // namespace korvane
