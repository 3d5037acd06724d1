#pragma once

#include <functional>

#include "app/main_navigation.hpp"
#include "app/page_hooks.hpp"
#include "worker/worker_events.hpp"

namespace korvane {

// The worker's events on the UI thread (PostedWorkerEvents brings them
// here): the status line, the device list's rows, the battery indicator and
// which of home and device pages may show; page refreshes and the rest go to
// the feature pages' hooks. Each battery value also goes to battery_seen (the
// low-battery notices).
class ConnectionView final : public WorkerEvents {
 public:
  ConnectionView(ui::Toolkit& toolkit, TextLookup text, const ConnectionState& state, MainNavigation& navigation,
                 const PageHooks& hooks, std::function<void()> close_transient,
                 std::function<void(int charge)> battery_seen);

  void StatusChanged(int text_id) override;
  // Also shows each row's version text in the current language, so a
  // language switch calls it too.
  void DeviceListChanged() override;
  void DeviceViewChanged(bool device_list_shown, bool device_pages_shown) override;
  void BatteryChanged(int battery_a, int battery_b) override;
  void RefreshPages(unsigned pages) override;
  void CloseTransientWindows() override;
  void LinkChanged(int device_type, bool linked) override;
  void DpiButtonPressed(int count, int index) override;
  void TaskFinished(TaskCode code, bool succeeded) override;

 private:
  ui::Toolkit& toolkit_;
  TextLookup text_;
  const ConnectionState& state_;
  MainNavigation& navigation_;
  const PageHooks& hooks_;
  std::function<void()> close_transient_;
  std::function<void(int)> battery_seen_;
};

}  // namespace korvane
