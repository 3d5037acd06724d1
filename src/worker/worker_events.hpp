#pragma once

#include "worker/task_queue.hpp"

namespace korvane {

// The pages a refresh reloads from the settings database.
enum PageSet : unsigned {
  kProfilePage = 1u << 0,
  kKeyPage = 1u << 1,
  kMacroPage = 1u << 2,
  kPerformancePage = 1u << 3,
  kLightingPage = 1u << 4,  // sent only for models with a lighting page
  kSettingsPage = 1u << 5,
};

// Where the device worker reports every visible change. The worker never
// touches a control: it updates the ConnectionState and calls these on its
// own thread. An implementation must not block; the desktop application
// posts each call to its UI thread, korvanectl prints them.
class WorkerEvents {
 public:
  virtual ~WorkerEvents() = default;

  // The status line shows this language text (50, 51 or 52).
  virtual void StatusChanged(int text_id) = 0;
  // The device list rows or selection changed; read ConnectionState.
  virtual void DeviceListChanged() = 0;
  // The device list is shown (a mouse of the current type is reachable) or
  // hidden; the device pages follow MouseLinked.
  virtual void DeviceViewChanged(bool device_list_shown, bool device_pages_shown) = 0;
  // The battery indicator shows (a, b).
  virtual void BatteryChanged(int battery_a, int battery_b) = 0;
  // These pages must be reloaded from the database.
  virtual void RefreshPages(unsigned pages) = 0;
  // Pop-ups that must not outlive a device change are closed.
  virtual void CloseTransientWindows() = 0;
  // A receiver's mouse linked (true) or left (false).
  virtual void LinkChanged(int device_type, bool linked) = 0;
  // The mouse's own DPI button changed the level count or index.
  virtual void DpiButtonPressed(int count, int index) = 0;
  // The worker finished a task; succeeded tells whether its writes were
  // acknowledged (or, for a refresh, whether a mouse was reachable).
  virtual void TaskFinished(TaskCode code, bool succeeded) = 0;
};

}  // namespace korvane
