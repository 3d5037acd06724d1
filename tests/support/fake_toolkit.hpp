#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/event_codes.hpp"
#include "ui/toolkit.hpp"

namespace korvane::test {

// A toolkit without windows for tests. It records the state of every control
// by id, answers modal windows and file dialogs from a script, queues posted
// work until the test pumps it, and runs timers on a manual clock.
//
// A control exists once the test declares it (AddControl) or an operation sets
// it; events for controls that do not exist are not handled.
class FakeToolkit final : public ui::Toolkit {
 public:
  struct ControlState {
    std::string text;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    std::string tooltip;
    std::string image;
    std::string radio_group;
    bool check_box = false;
    std::vector<ui::ListItem> items;
    std::vector<bool> item_visible;
    int selection = -1;
    int lowest = 0;
    int highest = 100;
    std::string low_caption;
    std::string high_caption;
    int value = 0;
    bool running = false;
    int colour = 0;
    ui::LightingPreview lighting;
    int battery_a = 0;
    int battery_b = 0;
    std::map<std::pair<int, int>, bool> device_online;  // (device type, mode)
    std::map<int, std::string> device_version;
    std::map<int, std::pair<int, int>> device_battery;
  };

  struct WindowRecord {
    ui::WindowState state = ui::WindowState::kHidden;
    ui::Rect rect;
    std::string title;
    std::optional<int> modal_result;
  };

  struct DeliveredMessage {
    ui::WindowId window;
    int message;
    std::int64_t wparam;
    std::int64_t lparam;
  };

  // --- test side ---------------------------------------------------------------
  // A control; with a group name it is a radio button of that group.
  void AddControl(ui::ControlRef control, std::string radio_group = {});
  void AddCheckBox(ui::ControlRef control);
  bool Exists(ui::ControlRef control) const;
  const ControlState& State(ui::ControlRef control) const;  // an empty state when absent

  // Delivers a user event to the control's window handler; false when the
  // control does not exist, the window has no handler or it did not handle it.
  bool Deliver(ui::ControlRef control, int event, std::int64_t param = 0);
  // A user click: check boxes flip, radios become checked; then event 2 with
  // the checked state (0 for other controls).
  bool Click(ui::ControlRef control);
  // The user edits the text: event 26.
  bool Type(ui::ControlRef control, std::string text);
  // The user picks an item: selection changes, then event 2 with the index.
  bool Choose(ui::ControlRef control, int index);

  // Runs posted work and delivers posted messages, in order, including what
  // they post in turn; returns how many ran.
  int Pump();
  // Messages delivered to handlers so far (posted or from menus).
  const std::vector<DeliveredMessage>& Delivered() const { return delivered_; }

  // Moves the manual clock on, firing due timers in time order.
  void Advance(std::chrono::milliseconds elapsed);
  // Timers that will fire: started with work and not stopped.
  int ActiveTimers() const;

  // The next RunModal of window runs user (which acts through Deliver, Click…);
  // a run without script, or whose script does not end it, is closed as by
  // the window manager (msg::kClose) and returns what the handler gives.
  void ScriptModal(ui::WindowId window, std::function<void()> user);
  const std::vector<ui::WindowId>& ModalRuns() const { return modal_runs_; }
  const WindowRecord& Window(ui::WindowId window) const { return windows_[window]; }

  // Answers of the next file dialogs, in order; without one the user cancels.
  void ScriptFileDialog(std::optional<std::string> answer) { file_answers_.push_back(std::move(answer)); }
  const std::vector<std::string>& FileDialogTitles() const { return file_titles_; }

  // The last menu shown; ChooseMenuItem delivers its message to the main window.
  const std::vector<ui::MenuItem>& LastMenu() const { return last_menu_; }
  void ChooseMenuItem(int index);

  // Links handed to the browser, in order.
  const std::vector<std::string>& OpenedLinks() const { return opened_links_; }
  void SetTrayAvailable(bool available) { tray_available_ = available; }
  // The user presses the key with this evdev code in a key field, whose
  // keyboard layout names it `name`.
  bool PressKey(ui::ControlRef field, int evdev_code, std::string name) {
    key_names_[evdev_code] = std::move(name);
    return Deliver(field, ui::event::kKeyPressed, evdev_code);
  }
  // Key recordings: whether the desktop lets the program hear every key,
  // and the control a running recording reports to (nullopt when none runs).
  void SetWholeDesktopRecording(bool whole) { whole_desktop_recording_ = whole; }
  std::optional<ui::ControlRef> RecordingControl() const { return recording_; }
  // The user presses or releases a key while a recording runs; false when
  // none runs or the handler did not take it.
  bool RecordKey(int evdev_code, bool press, std::string name) {
    key_names_[evdev_code] = std::move(name);
    return recording_ && Deliver(*recording_, press ? ui::event::kKeyPressed : ui::event::kKeyReleased, evdev_code);
  }
  const std::string& TrayTooltip() const { return tray_tooltip_; }
  void SetWorkArea(ui::Rect area) { work_area_ = area; }
  std::optional<int> ExitCode() const { return exit_code_; }

  // --- Toolkit -------------------------------------------------------------------
  void SetHandler(ui::WindowId window, ui::WindowHandler* handler) override;
  void Post(std::function<void()> work) override;
  void PostMessage(ui::WindowId window, int message, std::int64_t wparam, std::int64_t lparam) override;
  ui::TimerId StartTimer(std::chrono::milliseconds interval, bool repeating, std::function<void()> work) override;
  void StopTimer(ui::TimerId timer) override;

  void SetWindowTitle(ui::WindowId window, std::string_view title) override;
  void ShowWindow(ui::WindowId window, ui::WindowState state) override;
  ui::WindowState GetWindowState(ui::WindowId window) const override;
  void RaiseWindow(ui::WindowId window) override;
  void MoveWindow(ui::WindowId window, ui::Rect rect) override;
  ui::Rect WindowRect(ui::WindowId window) const override;
  ui::Rect WorkArea() const override { return work_area_; }
  int RunModal(ui::WindowId window) override;
  void EndModal(ui::WindowId window, int result) override;
  void Quit(int exit_code) override { exit_code_ = exit_code; }

  void SetText(ui::ControlRef control, std::string_view text) override;
  std::string GetText(ui::ControlRef control) const override { return State(control).text; }
  void SetVisible(ui::ControlRef control, bool visible) override { Mutable(control).visible = visible; }
  bool IsVisible(ui::ControlRef control) const override { return Exists(control) && State(control).visible; }
  void SetEnabled(ui::ControlRef control, bool enabled) override { Mutable(control).enabled = enabled; }
  bool IsEnabled(ui::ControlRef control) const override { return Exists(control) && State(control).enabled; }
  void SetTooltip(ui::ControlRef control, std::string_view text) override { Mutable(control).tooltip = text; }
  void SetImage(ui::ControlRef control, std::string_view image) override { Mutable(control).image = image; }
  ui::Rect ControlRect(ui::ControlRef control) const override;

  void SetChecked(ui::ControlRef control, bool checked) override;
  bool IsChecked(ui::ControlRef control) const override { return State(control).checked; }

  void ClearItems(ui::ControlRef control) override;
  void AddItem(ui::ControlRef control, const ui::ListItem& item) override;
  void SetItem(ui::ControlRef control, int index, const ui::ListItem& item) override;
  std::vector<ui::ListItem> Items(ui::ControlRef control) const override { return State(control).items; }
  void SetItemVisible(ui::ControlRef control, int index, bool visible) override;
  void SetSelection(ui::ControlRef control, int index) override;
  int Selection(ui::ControlRef control) const override { return State(control).selection; }
  bool SelectData(ui::ControlRef control, int data) override;

  void SetRange(ui::ControlRef control, int lowest, int highest) override;
  void SetRangeCaptions(ui::ControlRef control, std::string_view low, std::string_view high) override;
  void SetValue(ui::ControlRef control, int value) override;
  int Value(ui::ControlRef control) const override { return State(control).value; }
  void SetRunning(ui::ControlRef control, bool running) override;
  void SetColour(ui::ControlRef control, int colour) override { Mutable(control).colour = colour; }
  int Colour(ui::ControlRef control) const override { return State(control).colour; }
  void SetLightingPreview(ui::ControlRef control, const ui::LightingPreview& preview) override {
    Mutable(control).lighting = preview;
  }

  void SetBattery(ui::ControlRef control, int value_a, int value_b) override;
  void SetDeviceOnline(ui::ControlRef list, int device_type, int mode, bool online) override;
  void SetAllDevicesOffline(ui::ControlRef list) override;
  int OnlineDeviceCount(ui::ControlRef list) const override;
  void SetDeviceVersion(ui::ControlRef list, int device_type, std::string_view version) override;
  void SetDeviceBattery(ui::ControlRef list, int device_type, int value_a, int value_b) override;

  void ShowMenu(const std::vector<ui::MenuItem>& items) override { last_menu_ = items; }
  std::optional<std::string> OpenFileDialog(std::string_view title,
                                            const std::vector<ui::FileFilter>& filters) override;
  std::optional<std::string> SaveFileDialog(std::string_view title, std::string_view suggested_name,
                                            const std::vector<ui::FileFilter>& filters) override;
  void OpenLink(std::string_view url) override { opened_links_.emplace_back(url); }

  std::string KeyName(int evdev_code) const override {
    const auto found = key_names_.find(evdev_code);
    return found == key_names_.end() ? std::string() : found->second;
  }
  bool StartKeyRecording(ui::ControlRef control) override {
    recording_ = control;
    return whole_desktop_recording_;
  }
  void StopKeyRecording() override { recording_.reset(); }

  bool AddTrayIcon(std::string_view tooltip) override;
  void RemoveTrayIcon() override { tray_ = false; }
  bool HasTrayIcon() const override { return tray_; }

 private:
  struct Timer {
    std::chrono::milliseconds due;
    std::chrono::milliseconds interval;
    bool repeating;
    std::function<void()> work;
  };

  std::map<ui::ControlRef, ControlState> controls_;
  std::map<ui::WindowId, ui::WindowHandler*> handlers_;
  mutable std::map<ui::WindowId, WindowRecord> windows_;
  std::mutex posted_mutex_;
  std::deque<std::function<void()>> posted_;
  std::vector<DeliveredMessage> delivered_;
  std::map<ui::TimerId, Timer> timers_;
  ui::TimerId next_timer_ = 1;
  std::chrono::milliseconds now_{0};
  std::map<ui::WindowId, std::deque<std::function<void()>>> modal_scripts_;
  std::vector<ui::WindowId> modal_runs_;
  std::deque<std::optional<std::string>> file_answers_;
  std::vector<std::string> file_titles_;
  std::vector<ui::MenuItem> last_menu_;
  std::vector<std::string> opened_links_;
  bool tray_available_ = true;
  bool whole_desktop_recording_ = true;
  std::optional<ui::ControlRef> recording_;
  bool tray_ = false;
  ui::Rect work_area_{0, 0, 1920, 1040};
  std::string tray_tooltip_;
  std::optional<int> exit_code_;
  std::map<int, std::string> key_names_;

  ControlState& Mutable(ui::ControlRef control) { return controls_[control]; }
  void DeliverMessage(ui::WindowId window, int message, std::int64_t wparam, std::int64_t lparam);
};

}  // namespace korvane::test
