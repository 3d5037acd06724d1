#pragma once

#include <nlohmann/json.hpp>

namespace korvane {
class ConfigStore;
}

namespace korvane::cli {

// The stored configuration keys of a profile, in the order a new profile
// receives them, as a JSON object of key -> text.
nlohmann::ordered_json ConfigJson(ConfigStore& store, int profile);

// Prints a flat JSON object as "key = value" lines, indented.
void PrintKeys(const nlohmann::ordered_json& object, const char* indent);

}  // namespace korvane::cli
