#pragma once

#include "app/ui_poster.hpp"
#include "ui/toolkit.hpp"
#include "worker/worker_events.hpp"

namespace korvane {

// The worker's events as the desktop receives them: each call is posted to
// the UI thread and handed there to target, which may touch controls. Work
// still queued when this object goes away is dropped, so a late post never
// reaches a destroyed target.
class PostedWorkerEvents final : public WorkerEvents {
 public:
  PostedWorkerEvents(ui::Toolkit& toolkit, WorkerEvents& target) : poster_(toolkit, target) {}
  PostedWorkerEvents(const PostedWorkerEvents&) = delete;
  PostedWorkerEvents& operator=(const PostedWorkerEvents&) = delete;

  void StatusChanged(int text_id) override;
  void DeviceListChanged() override;
  void DeviceViewChanged(bool device_list_shown, bool device_pages_shown) override;
  void BatteryChanged(int battery_a, int battery_b) override;
  void RefreshPages(unsigned pages) override;
  void CloseTransientWindows() override;
  void LinkChanged(int device_type, bool linked) override;
  void DpiButtonPressed(int count, int index) override;
  void TaskFinished(TaskCode code, bool succeeded) override;

 private:
  UiPoster<WorkerEvents> poster_;
};

}  // namespace korvane
