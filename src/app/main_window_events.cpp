// The main window's routing: which operation each control event and window
// message reaches.
#include "app/device_main_dlg.hpp"
#include "catalog/current_model.hpp"
#include "common/text_ids.hpp"
#include "ui/about_dlg.hpp"
#include "ui/control_ids.hpp"
#include "ui/message_box.hpp"
#include "ui/tray.hpp"
#include "ui/window_messages.hpp"
#include "worker/hotplug.hpp"
#include "worker/profile_switch.hpp"

namespace korvane {

namespace {
constexpr std::int64_t kExternalExitCode = 610;
}  // namespace

void DeviceMainDlg::BuildRoutes() {
  using namespace ui::ctl;
  using Codes = ControlRouter::Codes;
  auto click = [](std::function<void()> operation) {
    return [operation = std::move(operation)](int, std::int64_t) {
      operation();
      return true;
    };
  };
  auto ticked = [](std::function<void(bool)> operation) {
    return [operation = std::move(operation)](int, std::int64_t param) {
      operation(param != 0);
      return true;
    };
  };
  // Frame.
  router_.Add({kWebsiteLink}, Codes::kClickOnly, click([this] {
                if (!Catalog().website_url.empty()) toolkit_.OpenLink(Catalog().website_url);
              }));
  router_.Add({kClose}, Codes::kClickOnly, click([this] { choices_.OnCloseButton(); }));
  router_.Add({kMinimise}, Codes::kClickOnly,
              click([this] { toolkit_.ShowWindow(ui::WindowId::kMain, ui::WindowState::kMinimised); }));
  router_.Add({kSettings}, Codes::kClickOnly, click([this] { navigation_.OpenSettingsPage(); }));
  router_.Add({kMaximise}, Codes::kClickOnly, click([this] { ToggleMaximised(); }));
  router_.Add({kProfileButton}, Codes::kClickOnly, click([this] { OpenProfileDialog(); }));
  router_.Add({kRestoreDefaults, kDeviceRestoreDefaults, kSettingsRestoreDefaults}, Codes::kClickOnly,
              click([this] { RequestFactoryReset(); }));
  router_.Add({kTabStrip}, Codes::kEvery, [this](int, std::int64_t index) {
    navigation_.SelectTab(static_cast<int>(index));
    return true;
  });
  // Home page.
  router_.Add({kDeviceList}, Codes::kClickOnly, [this](int, std::int64_t index) {
    PickModel(static_cast<int>(index));
    return true;
  });
  router_.Add({kDeviceListPrevious, kDeviceListNext}, Codes::kClickOnly,
              click([this] { toolkit_.SetSelection(kDeviceList, -1); }));
  // Device pages, filled by the feature pages through RouteTo.
  RouteFeature({kRestoreButtons, kButtonList, kMousePicture, kResetButton, kFunctionChooser1, kFunctionChooser2,
                kFunctionChooser3, kFunctionChooser4, kFunctionChooser5, kFunctionChooser6, kOpenKeyCapture,
                kOpenRepeatPanel, kAssignDisabled, kKeyPanelClose, kRepeatPanelClose, kKeyConfirm, kRepeatConfirm},
               Codes::kClickOnly);
  // The modifier boxes are read when the combination is confirmed.
  RouteFeature({kModifierCtrl, kModifierWin, kModifierAlt, kModifierShift}, Codes::kClickOnly);
  RouteFeature({kKeyField, kRepeatField1, kRepeatField2}, Codes::kEvery);
  RouteFeature(
      {kDpiReset, kDpiApply, kDpiCount, kReportRateReset, kReportRate, kLiftOff1mm, kLiftOff2mm, kSensorOption1,
       kSensorOption2, kSensorOption3, kMoveWakeup, kMoveLightOff, kSleepTime, kSystemMouseSettings},
      Codes::kClickOnly);
  RouteFeature({kDpiLevels, kDpiSlider, kResponseTime}, Codes::kEvery);
  RouteFeature({kMacroCreate, kMacroDelete, kEventInsert, kEventDelete, kEventClear, kDelayNone, kDelayRecorded,
                kDelayFixed, kDelayField, kPlayWhileHeld, kPlayToggle, kPlayTimes, kPlayTimesField, kEventAction,
                kEventDelayField, kEventUp, kEventDown},
               Codes::kClickOnly);
  // The list's rename and context menu, the recording's keys, the key field's capture.
  RouteFeature({kMacroList, kEventList, kRecord, kEventKeyField}, Codes::kEvery);
  RouteFeature({kLightMode, kLightReset}, Codes::kClickOnly);
  RouteFeature({kBrightness, kSpeed, kLightPalette, kLightRed, kLightGreen, kLightBlue}, Codes::kEvery);
  for (int control = kPresetColourFirst; control <= kPresetColourLast; ++control) {
    RouteFeature({control}, Codes::kEvery);
  }
  // The colour slots only select themselves, which the toolkit does.
  for (int control = kColourSlotFirst; control <= kColourSlotLast; ++control) {
    RouteFeature({control}, Codes::kClickOnly);
  }
  // Device and update information page, and the settings page's check.
  RouteFeature({kCheckFirmware, kCheckSoftware, kUpgradeFirmware, kInstallSoftware, kSettingsCheckSoftware},
               Codes::kClickOnly);
  // Settings page.
  router_.Add({kSettingsReturn}, Codes::kClickOnly, click([this] { navigation_.LeaveSettingsPage(); }));
  router_.Add({kLanguageList}, Codes::kClickOnly, [this](int, std::int64_t index) {
    SwitchLanguage(static_cast<int>(index));
    return true;
  });
  router_.Add({kAutostart}, Codes::kClickOnly, ticked([this](bool on) { choices_.SetAutostart(on); }));
  router_.Add({kStartMinimised}, Codes::kClickOnly, ticked([this](bool on) { choices_.SetStartMinimised(on); }));
  router_.Add({kExitHidesToTray}, Codes::kClickOnly, click([this] { choices_.SetExitMode(true); }));
  router_.Add({kExitEndsProgram}, Codes::kClickOnly, click([this] { choices_.SetExitMode(false); }));
  router_.Add({kBatteryNotices}, Codes::kClickOnly, ticked([this](bool on) { battery_notices_.SetEnabled(on); }));
  router_.Add({kWebsite}, Codes::kClickOnly, click([this] { toolkit_.OpenLink(Catalog().website_url); }));
  router_.Add({kFeedback}, Codes::kClickOnly, click([this] { toolkit_.OpenLink(Catalog().feedback_url); }));
  router_.Add({kQuestions}, Codes::kClickOnly, click([this] { toolkit_.OpenLink(Catalog().qa_url); }));
}

// A control whose operation a feature page registers with RouteTo; until
// then its events are taken and change nothing.
void DeviceMainDlg::RouteFeature(std::initializer_list<int> controls, ControlRouter::Codes codes) {
  router_.Add(controls, codes, [](int, std::int64_t) { return true; });
}

bool DeviceMainDlg::OnControlEvent(int control, int event, std::int64_t param) {
  // A change the settings store did not take is not sent: the tasks it
  // queued are taken back and the user is told. A task the worker already
  // took fails on its own read of the store and sends nothing.
  const std::uint64_t failures = Store().Failures();
  const std::uint64_t mark = Queue().Mark();
  const bool handled = router_.Route(control, event, param);
  if (Store().Failures() != failures) {
    Queue().DropSince(mark);
    toolkit_.ShowWindow(ui::WindowId::kSaveTip, ui::WindowState::kHidden);
    Message(text_id::kNotSavedTitle, text_id::kNotSaved, ui::kMessageOk);
  }
  return handled;
}

std::int64_t DeviceMainDlg::OnWindowMessage(int message, std::int64_t wparam, std::int64_t lparam) {
  switch (message) {
    case ui::msg::kClose:
      // The window manager's close request is the close button's choice.
      choices_.OnCloseButton();
      return 0;
    case ui::msg::kCommand:
      if (wparam == ui::command::kExit) choices_.Exit();
      if (wparam == ui::command::kAbout) {
        int release = 0;
        Manager().GetReleaseNumber(release, Manager().GetConnectionMode());
        ui::ShowAboutBox(toolkit_, text_, {context_.Caption(), Catalog().version, release});
      }
      return 0;
    case ui::msg::kTrayCallback:
      ui::HandleTrayClick(toolkit_, lparam, text_(text_id::kExit));
      return 0;
    case ui::msg::kExternalExit:
      if (lparam == kExternalExitCode) choices_.Exit();
      return 0;
    case ui::msg::kProfileRequest:
      if (wparam == 0) {
        if (SwitchProfile(Store(), state_, Queue(), static_cast<int>(lparam))) ShowProfileName();
        return 0;
      }
      return RouteMessage(message, wparam, lparam);
    case ui::msg::kLanguageChanged:
      ApplyTexts();
      return 0;
    default:
      return RouteMessage(message, wparam, lparam);
  }
}

std::int64_t DeviceMainDlg::RouteMessage(int message, std::int64_t wparam, std::int64_t lparam) {
  auto it = messages_.find({message, wparam});
  if (it == messages_.end()) it = messages_.find({message, -1});
  return it == messages_.end() ? 0 : it->second(wparam, lparam);
}

void DeviceMainDlg::OnDeviceChange(int change, int kind, const std::string& path) {
  if (kind != ui::device_change::kInterfaceKind) return;
  if (change != ui::device_change::kArrival && change != ui::device_change::kRemoval) return;
  UpdateUSBDevice(HotplugEvent{change == ui::device_change::kArrival, path}, Catalog(), session_->pumped, state_,
                  Queue());
}

// A model picked in the device list: it must have a mouse; a different
// model becomes the current one, which the worker then selects and loads
// (an arrival scan), since the device manager and the model belong to it.
void DeviceMainDlg::PickModel(int index) {
  const std::vector<ui::ListItem> items = toolkit_.Items(ui::ctl::kDeviceList);
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  const int type = items[index].data;
  if (!Manager().HasLinkedType(type)) {
    Message(text_id::kMouseNotConnected, text_id::kNotLinked, ui::kMessageOk);
    return;
  }
  if (type != state_.current_type) {
    state_.current_type = type;
    state_.device_list.Select(type);
    SetCurrentType(context_.Settings(), type);
    Queue().Push(kTaskArrivalScan);
  }
  const auto row = state_.device_list.RowOf(type);
  navigation_.OpenDevicePages(row ? row->connection_mode : kWired);
  ShowProfileName();
}

void DeviceMainDlg::SwitchLanguage(int index) {
  const std::vector<ui::ListItem> items = toolkit_.Items(ui::ctl::kLanguageList);
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  context_.Language().SwitchLanguage(items[index].data);
  ApplyTexts();
}

void DeviceMainDlg::ToggleMaximised() {
  const bool maximised = toolkit_.GetWindowState(ui::WindowId::kMain) == ui::WindowState::kMaximised;
  toolkit_.ShowWindow(ui::WindowId::kMain, maximised ? ui::WindowState::kNormal : ui::WindowState::kMaximised);
  toolkit_.SetImage(ui::ctl::kMaximise, maximised ? "sysbtn_maximize.png" : "sysbtn_restore.png");
}

}  // namespace korvane
