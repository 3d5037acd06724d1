#pragma once

#include <string>

#include "store/config_keys.hpp"

namespace korvane {

class ConfigStore;

// The stored value of (profile, key). value is emptied first and stays empty
// when the key is not stored; the result tells whether it was found.
bool GetConfigValue(ConfigStore& store, int profile, ConfigKey key, std::string& value);

// Updates the stored value of (profile, key). A key that is not stored is not
// added; the call still succeeds whenever SQLite completes the update.
bool SetConfigValue(ConfigStore& store, int profile, ConfigKey key, const std::string& value);

// The stored value as an integer by the leading-digits rule: 0 for a missing
// key or text that is not a number.
int ConfigInt(ConfigStore& store, int profile, ConfigKey key);
bool SetConfigInt(ConfigStore& store, int profile, ConfigKey key, int value);

}  // namespace korvane
