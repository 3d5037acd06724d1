#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "common/text_lookup.hpp"
#include "frontend/qt/skin.hpp"
#include "ui/toolkit.hpp"

class QButtonGroup;
class QDialog;
class QSystemTrayIcon;
class QTimer;

namespace korvane::qt {

class KeyRecorder;

// The Qt implementation of the toolkit. The Qt GUI thread is the UI thread.
// Windows are built on first use: the main window by BuildMainWindow, each
// dialog when an operation first addresses it. Each control is a widget
// registered under its ControlRef; what a widget kind cannot show (item
// colours on a plain list, say) is still kept, so queries answer what was set.
// Hiding the main window while no tray icon exists minimises it instead, so
// the window can always be found again.
class QtToolkit final : public ui::Toolkit {
 public:
  QtToolkit(Skin skin, TextLookup text);
  ~QtToolkit() override;
  QtToolkit(const QtToolkit&) = delete;
  QtToolkit& operator=(const QtToolkit&) = delete;

  // Builds the main window (hidden) with its frame and home page, then the
  // other pages (see MainWindow).
  void BuildMainWindow(const std::string& caption);
  void BuildRemainingPages();
  QWidget* MainWindow() const { return Window(ui::WindowId::kMain); }
  const Skin& GetSkin() const { return skin_; }
  const TextLookup& Text() const { return text_; }

  // For the window builders: registers a widget under a control and connects
  // its user signals to the window's handler.
  void Register(ui::ControlRef control, QWidget* widget);
  void AddToRadioGroup(ui::WindowId window, const QString& group, QWidget* radio);
  void RegisterWindow(ui::WindowId window, QWidget* widget);
  // Delivers a user event (ignored while the toolkit itself changes controls).
  void Emit(ui::ControlRef control, int event, std::int64_t param);
  void DeliverMessage(ui::WindowId window, int message, std::int64_t wparam, std::int64_t lparam);
  QWidget* Widget(ui::ControlRef control) const;

  // --- Toolkit -----------------------------------------------------------------
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
  ui::Rect WorkArea() const override;
  int RunModal(ui::WindowId window) override;
  void EndModal(ui::WindowId window, int result) override;
  void Quit(int exit_code) override;

  void SetText(ui::ControlRef control, std::string_view text) override;
  std::string GetText(ui::ControlRef control) const override;
  void SetVisible(ui::ControlRef control, bool visible) override;
  bool IsVisible(ui::ControlRef control) const override;
  void SetEnabled(ui::ControlRef control, bool enabled) override;
  bool IsEnabled(ui::ControlRef control) const override;
  void SetTooltip(ui::ControlRef control, std::string_view text) override;
  void SetImage(ui::ControlRef control, std::string_view image) override;
  ui::Rect ControlRect(ui::ControlRef control) const override;

  void SetChecked(ui::ControlRef control, bool checked) override;
  bool IsChecked(ui::ControlRef control) const override;

  void ClearItems(ui::ControlRef control) override;
  void AddItem(ui::ControlRef control, const ui::ListItem& item) override;
  void SetItem(ui::ControlRef control, int index, const ui::ListItem& item) override;
  std::vector<ui::ListItem> Items(ui::ControlRef control) const override;
  void SetItemVisible(ui::ControlRef control, int index, bool visible) override;
  void SetSelection(ui::ControlRef control, int index) override;
  int Selection(ui::ControlRef control) const override;
  bool SelectData(ui::ControlRef control, int data) override;

  void SetRange(ui::ControlRef control, int lowest, int highest) override;
  void SetRangeCaptions(ui::ControlRef control, std::string_view low, std::string_view high) override;
  void SetValue(ui::ControlRef control, int value) override;
  int Value(ui::ControlRef control) const override;
  void SetRunning(ui::ControlRef control, bool running) override;
  void SetColour(ui::ControlRef control, int colour) override;
  int Colour(ui::ControlRef control) const override;
  void SetLightingPreview(ui::ControlRef control, const ui::LightingPreview& preview) override;

  void SetBattery(ui::ControlRef control, int value_a, int value_b) override;
  void SetDeviceOnline(ui::ControlRef list, int device_type, int mode, bool online) override;
  void SetAllDevicesOffline(ui::ControlRef list) override;
  int OnlineDeviceCount(ui::ControlRef list) const override;
  void SetDeviceVersion(ui::ControlRef list, int device_type, std::string_view version) override;
  void SetDeviceBattery(ui::ControlRef list, int device_type, int value_a, int value_b) override;
  std::string KeyName(int evdev_code) const override;
  bool StartKeyRecording(ui::ControlRef control) override;
  void StopKeyRecording() override;

  void ShowMenu(const std::vector<ui::MenuItem>& items) override;
  std::optional<std::string> OpenFileDialog(std::string_view title,
                                            const std::vector<ui::FileFilter>& filters) override;
  std::optional<std::string> SaveFileDialog(std::string_view title, std::string_view suggested_name,
                                            const std::vector<ui::FileFilter>& filters) override;
  void OpenLink(std::string_view url) override;

  bool AddTrayIcon(std::string_view tooltip) override;
  void RemoveTrayIcon() override;
  bool HasTrayIcon() const override;

 private:
  // What is kept per control besides the widget's own state.
  struct Shadow {
    std::vector<ui::ListItem> items;
    std::vector<bool> hidden_items;
    int lowest = 0;
    int highest = 100;
    int value = 0;
    int colour = 0;
    int selection = -1;
  };

  // Suppresses events while the toolkit changes controls itself.
  class Quiet {
   public:
    explicit Quiet(const QtToolkit& toolkit) : toolkit_(toolkit) { ++toolkit_.quiet_; }
    ~Quiet() { --toolkit_.quiet_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

   private:
    const QtToolkit& toolkit_;
  };

  Skin skin_;
  TextLookup text_;
  std::unique_ptr<QObject> context_;  // receiver of posted work and timers
  std::map<ui::WindowId, QPointer<QWidget>> windows_;
  std::map<ui::WindowId, ui::WindowHandler*> handlers_;
  std::map<ui::ControlRef, QPointer<QWidget>> widgets_;
  std::map<ui::ControlRef, Shadow> shadows_;
  std::map<std::pair<ui::WindowId, QString>, QButtonGroup*> radio_groups_;
  std::map<ui::TimerId, QTimer*> timers_;
  ui::TimerId next_timer_ = 1;
  std::set<ui::WindowId> placed_;
  QSystemTrayIcon* tray_ = nullptr;
  mutable int quiet_ = 0;
  std::map<int, std::string> key_names_;  // evdev code -> the layout's name, from the last press
  std::unique_ptr<KeyRecorder> key_recorder_;

  QWidget* Window(ui::WindowId window) const;
  QWidget* EnsureWindow(ui::WindowId window);
  QWidget* Find(ui::ControlRef control);
  Shadow& ShadowOf(ui::ControlRef control) { return shadows_[control]; }
  void ShowItems(ui::ControlRef control);
  void Connect(ui::ControlRef control, QWidget* widget);
  // An item renamed in place by the user keeps its new text.
  void StoreTypedText(ui::ControlRef control, int index, const QString& text);
};

}  // namespace korvane::qt
