#include "worker/profile_switch.hpp"

#include "profiles/profile_manager.hpp"
#include "store/profile_table.hpp"
#include "worker/connection_state.hpp"
#include "worker/task_queue.hpp"

namespace korvane {

bool SwitchProfile(ConfigStore& store, ConnectionState& state, TaskQueue& queue, int profile) {
  if (profile < 1 || profile > kProfileCount) return false;
  state.current_profile = profile;
  SetActiveProfile(store, profile);
  queue.Push(kTaskWriteProfile);
  return true;
}

}  // namespace korvane
