#include "cli_json.hpp"

#include <iostream>
#include <string>

#include "store/config_table.hpp"

namespace korvane::cli {

nlohmann::ordered_json ConfigJson(ConfigStore& store, int profile) {
  nlohmann::ordered_json config = nlohmann::ordered_json::object();
  std::string value;
  for (const ConfigKey key : kConfigKeys) {
    if (GetConfigValue(store, profile, key, value)) config[std::string(ConfigKeyName(key))] = value;
  }
  return config;
}

void PrintKeys(const nlohmann::ordered_json& object, const char* indent) {
  for (const auto& [key, value] : object.items()) {
    std::cout << indent << key << " = " << (value.is_string() ? value.get<std::string>() : JsonText(value)) << '\n';
  }
}

}  // namespace korvane::cli
