#pragma once

namespace korvane {

class ConfigStore;
class ConnectionState;
class TaskQueue;

// Makes a profile the current one: every profile's status becomes 0 and the
// given one's 1, the shared state's current profile follows, and the whole
// profile is queued to be written to the mouse (task 5). The caller refreshes
// the displayed name. False, and nothing changes, for a profile outside 1..4.
bool SwitchProfile(ConfigStore& store, ConnectionState& state, TaskQueue& queue, int profile);

}  // namespace korvane
