#pragma once

#include <span>
#include <string>

namespace korvane {

class ConfigStore;

// A configuration key and the value a new profile receives.
struct ConfigDefault {
  const char* key;
  const char* value;
};

// Every configuration key of a profile with its default, in the order a new
// profile's rows are written.
std::span<const ConfigDefault> DefaultConfiguration();

// The stored value of (profile, key). value is emptied first and stays empty
// when the key is not stored; the result tells whether it was found.
bool GetConfigValue(ConfigStore& store, int profile, const std::string& key, std::string& value);

// Updates the stored value of (profile, key). A key that is not stored is not
// added; the call still succeeds whenever SQLite completes the update.
bool SetConfigValue(ConfigStore& store, int profile, const std::string& key, const std::string& value);

}  // namespace korvane
