#pragma once

#include "store/config_table.hpp"

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

}  // namespace korvane
