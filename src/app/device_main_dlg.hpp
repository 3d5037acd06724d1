#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "app/app_context.hpp"
#include "app/battery_notices.hpp"
#include "app/connection_view.hpp"
#include "app/control_router.hpp"
#include "app/desktop_choices.hpp"
#include "app/device_session.hpp"
#include "app/main_navigation.hpp"
#include "app/page_context.hpp"
#include "app/page_hooks.hpp"
#include "app/posted_worker_events.hpp"
#include "performance/dpi_model.hpp"
#include "performance/pointer_settings.hpp"
#include "platform/desktop_opener.hpp"
#include "platform/hotplug_source.hpp"
#include "ui/dpi_tip.hpp"
#include "ui/save_tip.hpp"
#include "ui/toolkit.hpp"

namespace korvane {

class ButtonsPage;
class PerformancePage;
class LightingPage;
class MacroPage;
class ProfileFiles;
class UpdatePage;

// Milliseconds of the system's steady clock.
std::int64_t SteadyMilliseconds();

struct ControllerOptions {
  // Where the logon autostart entry lives ($XDG_CONFIG_HOME/autostart).
  std::filesystem::path autostart_folder;
  // The program the autostart entry starts.
  std::string program;
  // Opens the desktop's own mouse settings; false when it has none.
  std::function<bool()> open_mouse_settings = OpenSystemMouseSettings;
  // Milliseconds of a steady clock; tests pass their own.
  std::function<std::int64_t()> clock = SteadyMilliseconds;
  // Shows a desktop notification (the low-battery notices); empty for none.
  NoticeSender notify = nullptr;
  // Hands a downloaded installer to the desktop; false when it could not.
  std::function<bool(const std::filesystem::path&)> open_installer = OpenWithDesktop;
};

// The main window's controller. It owns the state the feature pages share
// (catalog, current model and profile, connection flags, task queue, the
// device worker), routes every control event and window message of the main
// window to the operation that owns it, and moves between home, device
// pages and settings page. UI thread only; the worker reaches the UI through
// posted events.
//
// Feature pages plug in through RouteTo (their controls), OnMessage (their
// window messages), Hooks() (page refreshes, finished tasks, DPI button,
// pop-ups to close, language changes) and Worker().Register (their task
// codes) before OnInitDialog starts the worker.
class DeviceMainDlg final : public ui::WindowHandler, public PageServices {
 public:
  using ControlHandler = ControlRouter::Handler;
  using MessageHandler = PageServices::MessageHandler;

  // transport: the HID transport (owned by the caller, outliving this);
  // hotplug: where arrivals and removals come from, or nullptr.
  DeviceMainDlg(ui::Toolkit& toolkit, AppContext& context, HidTransport& transport, HotplugSource* hotplug,
                ControllerOptions options);
  ~DeviceMainDlg() override;
  DeviceMainDlg(const DeviceMainDlg&) = delete;
  DeviceMainDlg& operator=(const DeviceMainDlg&) = delete;

  // Start-up, once the window and its pages exist: tray, DPI tip, current
  // model 101, catalog and device list, startup scan and software check,
  // the worker.
  void OnInitDialog();
  // Stops the worker (waiting at most a second) and removes the tray icon
  // and the tips. Returns whether the worker stopped; when it did not, it
  // still uses this object and the caller must end the process without
  // destroying it.
  bool Shutdown();

  bool OnControlEvent(int control, int event, std::int64_t param) override;
  std::int64_t OnWindowMessage(int message, std::int64_t wparam, std::int64_t lparam) override;
  // A HID interface arrived or left (0x8000 or 0x8004) on the UI thread;
  // only kind 5 (a device interface) is looked at.
  void OnDeviceChange(int change, int kind, const std::string& path);

  // --- registration for the feature pages -------------------------------------
  void RouteTo(int control, ControlHandler handler) override { router_.RouteTo(control, std::move(handler)); }
  // Handles a window message; for msg::kProfileRequest the key is also the
  // wparam (1 import, 2 export).
  void OnMessage(int message, MessageHandler handler) override { messages_[{message, -1}] = std::move(handler); }
  void OnMessage(int message, std::int64_t wparam, MessageHandler handler) override {
    messages_[{message, wparam}] = std::move(handler);
  }
  PageHooks& Hooks() { return hooks_; }

  // --- shared state -----------------------------------------------------------------
  ui::Toolkit& Toolkit() { return toolkit_; }
  AppContext& Context() { return context_; }
  const TextLookup& Text() const { return text_; }
  DeviceWorker& Worker() { return session_->worker; }
  ConfigStore& Store() { return session_->store; }
  ConnectionState& State() { return state_; }
  TaskQueue& Queue() { return session_->queue; }
  ModelHolder& Model() { return session_->model; }
  const DeviceCatalog& Catalog() const { return session_->catalog; }
  DeviceManager& Manager() { return session_->manager; }
  ModelSources Sources() const { return session_->Sources(); }

  // --- operations ---------------------------------------------------------------------
  MainNavigation& Navigation() { return navigation_; }
  void RequestFactoryReset();
  void CloseTransientWindows();
  // Sets every caption of the main window in the current language again.
  void ApplyTexts();
  // The profile button shows the current profile's name.
  void ShowProfileName();
  // The save tip and the DPI tip, when the current model shows them.
  void ShowSaveTip() override;
  void ShowDpiTip(int dpi) override;
  void LeaveTab(int item) override { navigation_.LeaveTab(item); }
  // The skinned message box with language texts; returns its result.
  int Message(int title, int message, int kind) override;
  // The DPI level count and index last shown.
  DpiCache& Dpi() { return session_->dpi_cache; }

 private:
  void BuildRoutes();
  PageContext PageContextFor();
  void RouteFeature(std::initializer_list<int> controls, ControlRouter::Codes codes);
  void ListModels();
  void PickModel(int index);
  void OpenProfileDialog();
  void SwitchLanguage(int index);
  void ToggleMaximised();
  bool MouseLinkedOrTell();
  void TellUnreadableCatalog();
  std::int64_t RouteMessage(int message, std::int64_t wparam, std::int64_t lparam);

  ui::Toolkit& toolkit_;
  AppContext& context_;
  TextLookup text_;
  HotplugSource* hotplug_;
  ControlRouter router_;
  PageHooks hooks_;
  std::map<std::pair<int, std::int64_t>, MessageHandler> messages_;
  ConnectionState state_;
  std::unique_ptr<ConnectionView> view_;
  std::unique_ptr<PostedWorkerEvents> posted_;
  std::unique_ptr<DeviceSession> session_;
  MainNavigation navigation_;
  DesktopChoices choices_;
  BatteryNotices battery_notices_;
  std::function<bool()> open_mouse_settings_;
  std::function<std::int64_t()> clock_;
  ui::SaveTip save_tip_;
  std::unique_ptr<ui::DpiTip> dpi_tip_;
  std::unique_ptr<ButtonsPage> buttons_page_;
  std::unique_ptr<PerformancePage> performance_page_;
  std::unique_ptr<LightingPage> lighting_page_;
  std::unique_ptr<MacroPage> macro_page_;
  std::unique_ptr<ProfileFiles> profile_files_;
  std::unique_ptr<UpdatePage> update_page_;
  // Set while this object exists; hot-plug posts check it on the UI thread.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace korvane
