#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/lighting_preview.hpp"

namespace korvane::ui {

// The windows a front end provides. Each has its own control ids.
enum class WindowId {
  kMain,
  kMessageBox,
  kPalette,
  kDpiTip,
  kSaveTip,
  kProfile,
  kAbout,
  kRecordEdit,
  kDownloadProgress,
  kUpgradeProgress,
};

// A control: its window and its id within that window. A bare id means a
// control of the main window.
struct ControlRef {
  WindowId window = WindowId::kMain;
  int id = 0;

  constexpr ControlRef(int control_id) : id(control_id) {}  // NOLINT: main-window shorthand
  constexpr ControlRef(WindowId owner, int control_id) : window(owner), id(control_id) {}
  friend constexpr bool operator==(const ControlRef&, const ControlRef&) = default;
  friend constexpr auto operator<=>(const ControlRef&, const ControlRef&) = default;
};

// One item of a list-like control. Combo boxes and list boxes use text and
// data; tab strips text, data (the tab's item id) and image; DPI level lists
// data (the DPI value, also shown as text) and colour; report-rate lists text,
// data (the rate code) and colour; the button list text (the button's name),
// detail (what it does) and data; button spots on a picture text, data, the
// spot (x, y) and the end (x2, y2) of its label's leader line, in the
// picture's own pixels.
struct ListItem {
  std::string text;
  int data = 0;
  std::optional<int> colour;  // R + 256*G + 65536*B
  std::string image;          // skin image name
  std::string detail;
  int x = 0;
  int y = 0;
  int x2 = 0;
  int y2 = 0;
};

// An item with text and data only.
inline ListItem TextItem(std::string text, int data) {
  ListItem item;
  item.text = std::move(text);
  item.data = data;
  return item;
}

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

enum class WindowState { kHidden, kNormal, kMinimised, kMaximised };

// A menu entry: choosing it hands message (wparam, lparam) to the main
// window's handler.
struct MenuItem {
  std::string text;
  int message = 0;
  std::int64_t wparam = 0;
  std::int64_t lparam = 0;
};

struct FileFilter {
  std::string description;  // e.g. "XML files"
  std::string pattern;      // e.g. "*.xml"
};

// Receives what happens in one window. The main window's handler is the
// controller; each dialog's handler is its logic object.
class WindowHandler {
 public:
  virtual ~WindowHandler() = default;
  // A control event (event codes in event_codes.hpp). Returns false when the
  // handler does not handle this control or code.
  virtual bool OnControlEvent(int control, int event, std::int64_t param) = 0;
  // A window message (window_messages.hpp); returns the message's result.
  virtual std::int64_t OnWindowMessage(int message, std::int64_t wparam, std::int64_t lparam) = 0;
};

using TimerId = int;

// The operations the program asks of its window toolkit.
//
// Threads: every operation runs on the UI thread, except Post and
// PostMessage, which any thread may call; the work they hand over runs later
// on the UI thread, in the order posted. The device worker changes controls
// only through them.
//
// Controls: operations address a control by ControlRef. An operation that
// does not apply to a control's kind, or a control that does not exist, is
// ignored; a query then answers empty, 0, false or -1 (no selection).
// Indexes are 0-based. Colours are R + 256*G + 65536*B. A slider's or
// progress bar's value lies in its range; a value outside is clamped.
//
// Events: the front end delivers every user action on a control of a window
// to that window's handler as (control, event code, parameter): for buttons,
// check boxes and radios code 2 with the checked state (0/1); for lists and
// tab strips code 2 with the chosen index; for edits code 26 on every change
// and code 2 when editing ends; for sliders code 8 while moving and code 2 on
// release, with the value; for a palette code 27 while moving and code 2 on
// release, with the colour; an in-place rename of a list item code 29 with
// the item's index. Changes made through these operations raise no events.
class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // --- handlers, posting and timers ----------------------------------------
  // nullptr stops delivery; events of a window without handler are not handled.
  virtual void SetHandler(WindowId window, WindowHandler* handler) = 0;
  // Runs work on the UI thread later. Thread-safe.
  virtual void Post(std::function<void()> work) = 0;
  // Hands a message to the window's handler later on the UI thread. Thread-safe.
  virtual void PostMessage(WindowId window, int message, std::int64_t wparam, std::int64_t lparam) = 0;
  // Calls work once after the interval, or every interval when repeating,
  // until stopped. Ids are positive and never reused; a stopped timer never
  // calls again. A timer without work gets its id but is never armed, so a
  // timer that does nothing never wakes the program.
  virtual TimerId StartTimer(std::chrono::milliseconds interval, bool repeating, std::function<void()> work) = 0;
  virtual void StopTimer(TimerId timer) = 0;

  // --- windows ---------------------------------------------------------------
  virtual void SetWindowTitle(WindowId window, std::string_view title) = 0;
  // kNormal also restores a minimised or maximised window.
  virtual void ShowWindow(WindowId window, WindowState state) = 0;
  virtual WindowState GetWindowState(WindowId window) const = 0;
  // Brings the window to the front and gives it the focus.
  virtual void RaiseWindow(WindowId window) = 0;
  // Places a window; the main window keeps its size, and a dialog is never
  // made smaller than its controls need.
  virtual void MoveWindow(WindowId window, Rect rect) = 0;
  virtual Rect WindowRect(WindowId window) const = 0;
  // The desktop's work area (screen minus panels), in the same coordinates.
  virtual Rect WorkArea() const = 0;
  // Shows the window modally and returns the result given to EndModal; the
  // window is hidden again before it returns.
  virtual int RunModal(WindowId window) = 0;
  virtual void EndModal(WindowId window, int result) = 0;
  // Leaves the event loop; the program then ends with the exit code.
  virtual void Quit(int exit_code) = 0;

  // --- every control -----------------------------------------------------------
  virtual void SetText(ControlRef control, std::string_view text) = 0;
  virtual std::string GetText(ControlRef control) const = 0;
  virtual void SetVisible(ControlRef control, bool visible) = 0;
  virtual bool IsVisible(ControlRef control) const = 0;
  virtual void SetEnabled(ControlRef control, bool enabled) = 0;
  virtual bool IsEnabled(ControlRef control) const = 0;
  virtual void SetTooltip(ControlRef control, std::string_view text) = 0;
  // Replaces a picture's or button's skin image (e.g. "sysbtn_restore.png").
  virtual void SetImage(ControlRef control, std::string_view image) = 0;
  virtual Rect ControlRect(ControlRef control) const = 0;  // in screen coordinates

  // --- check boxes, radio buttons, toggles ------------------------------------
  // Checking a radio button clears the others of its group.
  virtual void SetChecked(ControlRef control, bool checked) = 0;
  virtual bool IsChecked(ControlRef control) const = 0;

  // --- lists: combo boxes, list boxes, tab strips, level and rate lists -------
  virtual void ClearItems(ControlRef control) = 0;
  virtual void AddItem(ControlRef control, const ListItem& item) = 0;
  // Replaces item index; an index out of range is ignored.
  virtual void SetItem(ControlRef control, int index, const ListItem& item) = 0;
  virtual std::vector<ListItem> Items(ControlRef control) const = 0;
  // Hides or shows one item (a tab, for instance) without changing indexes.
  virtual void SetItemVisible(ControlRef control, int index, bool visible) = 0;
  // -1 clears the selection.
  virtual void SetSelection(ControlRef control, int index) = 0;
  virtual int Selection(ControlRef control) const = 0;
  // Selects the first item with this data; false (selection unchanged) when none has it.
  virtual bool SelectData(ControlRef control, int data) = 0;

  // --- sliders, progress bars, number fields, colours --------------------------
  virtual void SetRange(ControlRef control, int lowest, int highest) = 0;
  // Texts shown at the two ends of a slider.
  virtual void SetRangeCaptions(ControlRef control, std::string_view low, std::string_view high) = 0;
  virtual void SetValue(ControlRef control, int value) = 0;
  virtual int Value(ControlRef control) const = 0;
  // Starts or stops a moving progress bar's animation; starting restarts at 0.
  virtual void SetRunning(ControlRef control, bool running) = 0;
  // Colour of a swatch, preview area or palette.
  virtual void SetColour(ControlRef control, int colour) = 0;
  virtual int Colour(ControlRef control) const = 0;
  // What a picture of the lit mouse shows; it animates a moving effect
  // while it is on screen.
  virtual void SetLightingPreview(ControlRef control, const LightingPreview& preview) = 0;

  // --- battery displays and the device list -------------------------------------
  // The two battery values the mouse reports, passed on uninterpreted.
  virtual void SetBattery(ControlRef control, int value_a, int value_b) = 0;
  // Device list rows: one per model (data = device type, text = name,
  // image = picture file); online state per (device type, connection mode).
  virtual void SetDeviceOnline(ControlRef list, int device_type, int mode, bool online) = 0;
  virtual void SetAllDevicesOffline(ControlRef list) = 0;
  virtual int OnlineDeviceCount(ControlRef list) const = 0;
  virtual void SetDeviceVersion(ControlRef list, int device_type, std::string_view version) = 0;
  virtual void SetDeviceBattery(ControlRef list, int device_type, int value_a, int value_b) = 0;

  // --- key capture ------------------------------------------------------------------
  // A key field reports event::kCaptureStarted when it takes the focus,
  // event::kCaptureEnded when it loses it and event::kKeyPressed with the
  // key's evdev code for every key pressed in between; it never edits its
  // own text. The name the active keyboard layout gives that key, as the
  // last press of it showed; empty when unknown.
  virtual std::string KeyName(int evdev_code) const = 0;
  // Until StopKeyRecording, every key pressed and released reaches the main
  // window's handler as (control, event::kKeyPressed or kKeyReleased, evdev
  // code): from the whole desktop where it lets a program listen, else only
  // while the main window has the focus. Returns whether the whole desktop
  // is heard.
  virtual bool StartKeyRecording(ControlRef control) = 0;
  virtual void StopKeyRecording() = 0;

  // --- pop-ups -------------------------------------------------------------------
  // Shows a menu at the pointer; the chosen item's message reaches the main
  // window's handler.
  virtual void ShowMenu(const std::vector<MenuItem>& items) = 0;
  // File dialogs; nullopt when the user cancels.
  virtual std::optional<std::string> OpenFileDialog(std::string_view title, const std::vector<FileFilter>& filters) = 0;
  virtual std::optional<std::string> SaveFileDialog(std::string_view title, std::string_view suggested_name,
                                                    const std::vector<FileFilter>& filters) = 0;
  // Hands a web link to the desktop's browser; failures (an empty link
  // included) are ignored.
  virtual void OpenLink(std::string_view url) = 0;

  // --- tray -------------------------------------------------------------------------
  // Adds the tray icon with the program's icon; false when the desktop has no
  // tray. Its clicks reach the main window's handler as msg::kTrayCallback.
  virtual bool AddTrayIcon(std::string_view tooltip) = 0;
  virtual void RemoveTrayIcon() = 0;
  virtual bool HasTrayIcon() const = 0;
};

}  // namespace korvane::ui
