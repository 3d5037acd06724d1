#pragma once

#include <mutex>

#include "catalog/model_definition.hpp"

namespace korvane {

// The current model's definition, shared by the UI thread (pages) and the
// device worker (which reloads it). Readers get a copy, so they never see a
// definition half replaced.
class ModelHolder final {
 public:
  DeviceModel Get() const {
    std::lock_guard lock(mutex_);
    return model_;
  }
  void Set(DeviceModel model) {
    std::lock_guard lock(mutex_);
    model_ = std::move(model);
  }

 private:
  mutable std::mutex mutex_;
  DeviceModel model_;
};

}  // namespace korvane
