#pragma once

#include <atomic>

namespace korvane {

// The button whose macro the next button-table write sends first: set on
// the user-interface thread when a macro is assigned, taken by the worker.
// A macro already assigned is not sent again when it is edited; it goes to
// the mouse when it is assigned again.
class PendingMacro final {
 public:
  void Set(int key_code) {
    button_.store(key_code);
    changed_.store(true);
  }

  // The pending button, or -1 when no macro waits; clears it.
  int Take() {
    const bool changed = changed_.exchange(false);
    const int button = button_.exchange(-1);
    return changed ? button : -1;
  }

 private:
  std::atomic<int> button_{-1};
  std::atomic<bool> changed_{false};
};

}  // namespace korvane
