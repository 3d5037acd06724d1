#pragma once

#include <memory>
#include <utility>

#include "ui/toolkit.hpp"

namespace korvane {

// Hands calls from any thread to target on the UI thread. Calls still
// queued when the poster goes away are dropped, so a late post never
// reaches a destroyed target.
template <typename Target>
class UiPoster final {
 public:
  UiPoster(ui::Toolkit& toolkit, Target& target) : toolkit_(toolkit), target_(target) {}
  ~UiPoster() { *alive_ = false; }
  UiPoster(const UiPoster&) = delete;
  UiPoster& operator=(const UiPoster&) = delete;

  template <typename Call>
  void Post(Call call) {
    toolkit_.Post([alive = alive_, &target = target_, call = std::move(call)] {
      if (*alive) call(target);
    });
  }

 private:
  ui::Toolkit& toolkit_;
  Target& target_;
  // Read and cleared on the UI thread only.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace korvane
