#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace korvane {
class ConfigStore;
}

namespace korvane::cli {

// JSON text of a value. Text that is not valid UTF-8 (a name typed by
// another program, a damaged file) has its bad bytes replaced by U+FFFD
// instead of ending the command.
template <typename Json>
std::string JsonText(const Json& value, int indent = -1) {
  return value.dump(indent, ' ', false, Json::error_handler_t::replace);
}

// The stored configuration keys of a profile, in the order a new profile
// receives them, as a JSON object of key -> text.
nlohmann::ordered_json ConfigJson(ConfigStore& store, int profile);

// Prints a flat JSON object as "key = value" lines, indented.
void PrintKeys(const nlohmann::ordered_json& object, const char* indent);

}  // namespace korvane::cli
