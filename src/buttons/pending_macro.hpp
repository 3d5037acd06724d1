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

  // A taken button whose macro did not reach the mouse waits again, unless
  // another was set since.
  void PutBack(int key_code) {
    int none = -1;
    if (button_.compare_exchange_strong(none, key_code)) changed_.store(true);
  }

 private:
  std::atomic<int> button_{-1};
  std::atomic<bool> changed_{false};
};

}  // namespace korvane
