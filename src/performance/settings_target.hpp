#pragma once

#include "store/config_keys.hpp"

namespace korvane {

class ConfigStore;
class ConnectionState;
class TaskQueue;

// What a page operation changes: the settings database (the current profile
// of the shared state) and the worker's queue. The pages and korvanectl
// both hand this to the operations of the performance and lighting models.
struct SettingsTarget {
  ConfigStore& store;
  ConnectionState& state;
  TaskQueue& queue;
};

// The stored key as an integer: plain text-to-integer conversion, 0 for a
// missing key or text that is not a number.
int ConfigInt(ConfigStore& store, int profile, ConfigKey key);
void SetConfigInt(ConfigStore& store, int profile, ConfigKey key, int value);

// A number typed by the user, 0 when the text does not start with one;
// values past the int range are held at its ends.
long long TypedNumber(const std::string& text);

}  // namespace korvane
