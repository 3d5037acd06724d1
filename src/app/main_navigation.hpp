#pragma once

#include "catalog/catalog_types.hpp"
#include "common/text_lookup.hpp"
#include "ui/toolkit.hpp"
#include "worker/connection_state.hpp"
#include "worker/task_queue.hpp"

namespace korvane {

// The three places of the main window: the home page with the device list,
// the device pages behind the tab strip, and the settings page over either.
// UI thread only.
class MainNavigation final {
 public:
  MainNavigation(ui::Toolkit& toolkit, TextLookup text, ConnectionState& state, TaskQueue& queue);

  // Tab strip 48, by item index (every event of the strip lands here).
  void SelectTab(int index);
  // After a model was picked, with the connection mode of its row: the
  // status line tells wired or receiver (a receiver's mouse is asked for at
  // once, task 4) and the device page the user was last on opens (the
  // buttons page the first time).
  void OpenDevicePages(int connection_mode);
  // A tab the model does not offer is being hidden: while it is shown, the
  // buttons page takes its place.
  void LeaveTab(int item);
  void OpenSettingsPage();
  void LeaveSettingsPage();
  // The device pages cannot stay open (the mouse went away): home is shown,
  // or, under the settings page, shown when the page is left.
  void ReturnHome();

  int CurrentTab() const { return current_tab_; }
  bool SettingsOpen() const { return settings_open_; }
  // The status line shows the language text.
  void ShowStatus(int text_id);

 private:
  void SetDeviceChrome(bool shown);
  void ShowFrameButtons(bool shown);
  // The strip index of a tab item, or the buttons page's when it is missing.
  int IndexOfTab(int item) const;

  ui::Toolkit& toolkit_;
  TextLookup text_;
  ConnectionState& state_;
  TaskQueue& queue_;
  int current_tab_;
  int last_device_tab_;
  bool settings_open_ = false;
};

}  // namespace korvane
