#include "app/device_main_dlg.hpp"

#include <chrono>
#include <iostream>

#include "app/buttons_page.hpp"
#include "app/lighting_page.hpp"
#include "app/macro_page.hpp"
#include "app/performance_page.hpp"
#include "app/profile_files.hpp"
#include "app/update_page.hpp"
#include "catalog/catalog_file.hpp"
#include "catalog/current_model.hpp"
#include "catalog/load_report.hpp"
#include "common/text_ids.hpp"
#include "profiles/profile_manager.hpp"
#include "store/profile_table.hpp"
#include "ui/control_ids.hpp"
#include "ui/main_texts.hpp"
#include "ui/message_box.hpp"
#include "ui/profile_dlg.hpp"
#include "ui/tray.hpp"
#include "ui/window_messages.hpp"
#include "update/software_update.hpp"

namespace korvane {

namespace {
constexpr int kFirstModelType = 101;
// The profile pop-up spans from 210 to 5 pixels above the profile button.
constexpr int kProfileAbove = 210;
constexpr int kProfileGap = 5;
}  // namespace

std::int64_t SteadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

DeviceMainDlg::DeviceMainDlg(ui::Toolkit& toolkit, AppContext& context, HidTransport& transport, HotplugSource* hotplug,
                             ControllerOptions options)
    : toolkit_(toolkit),
      context_(context),
      text_(context.Language().Lookup()),
      hotplug_(hotplug),
      view_(std::make_unique<ConnectionView>(
          toolkit, text_, state_, navigation_, hooks_, [this] { CloseTransientWindows(); },
          [this](int charge) { battery_notices_.OnBattery(charge); })),
      posted_(std::make_unique<PostedWorkerEvents>(toolkit, *view_)),
      session_(std::make_unique<DeviceSession>(context, transport, state_, *posted_)),
      navigation_(toolkit, text_, state_, session_->queue),
      choices_(toolkit, context.Settings(),
               AutostartEntry(options.autostart_folder, context.Caption(), std::move(options.program))),
      battery_notices_(toolkit, context.Settings(), text_, std::move(options.notify)),
      open_mouse_settings_(std::move(options.open_mouse_settings)),
      clock_(std::move(options.clock)),
      save_tip_(toolkit, text_) {
  BuildRoutes();
  hooks_.OnRefresh([this](unsigned pages) {
    if (pages & kProfilePage) ShowProfileName();
  });
  buttons_page_ = std::make_unique<ButtonsPage>(PageContextFor());
  performance_page_ = std::make_unique<PerformancePage>(PageContextFor());
  lighting_page_ = std::make_unique<LightingPage>(PageContextFor());
  macro_page_ = std::make_unique<MacroPage>(PageContextFor());
  profile_files_ = std::make_unique<ProfileFiles>(PageContextFor());
  update_page_ = std::make_unique<UpdatePage>(
      PageContextFor(),
      UpdatePageOptions{SoftwareSource{Catalog().version, Catalog().upgrade_url}, TempFolder(context.DataFolder()),
                        std::move(options.open_installer), [this] { choices_.Exit(); }});
  update_page_->Register(Worker());
  toolkit_.SetHandler(ui::WindowId::kMain, this);
}

DeviceMainDlg::~DeviceMainDlg() {
  *alive_ = false;
  if (hotplug_) hotplug_->SetListener(nullptr);
  toolkit_.SetHandler(ui::WindowId::kMain, nullptr);
}

void DeviceMainDlg::OnInitDialog() {
  toolkit_.AddTrayIcon(ui::TrayTooltip(context_.Caption()));
  dpi_tip_ = std::make_unique<ui::DpiTip>(toolkit_, text_);
  // Every start makes the first model the stored current one; the startup
  // scan then selects the model that is actually plugged in.
  SetCurrentType(context_.Settings(), kFirstModelType);
  state_.current_type = kFirstModelType;
  ListModels();
  ApplyTexts();
  choices_.Load();
  battery_notices_.Load();
  navigation_.SelectTab(0);
  TellUnreadableCatalog();
  Queue().Push(kTaskStartupScan);
  Queue().Push(kTaskCheckSoftware);
  if (hotplug_) {
    hotplug_->SetListener([this, alive = alive_](const HotplugEvent& event) {
      toolkit_.Post([this, alive, event] {
        if (*alive)
          OnDeviceChange(event.arrival ? ui::device_change::kArrival : ui::device_change::kRemoval,
                         ui::device_change::kInterfaceKind, event.path);
      });
    });
  }
  Worker().Start();
}

bool DeviceMainDlg::Shutdown() {
  // Stop gives a step inside a long exchange one second and tells whether
  // the worker ended in that time.
  const bool stopped = Worker().Stop();
  if (hotplug_) hotplug_->SetListener(nullptr);
  toolkit_.RemoveTrayIcon();
  toolkit_.ShowWindow(ui::WindowId::kDpiTip, ui::WindowState::kHidden);
  toolkit_.ShowWindow(ui::WindowId::kSaveTip, ui::WindowState::kHidden);
  dpi_tip_.reset();
  return stopped;
}

PageContext DeviceMainDlg::PageContextFor() {
  return PageContext{*this,   toolkit_,
                     text_,   Store(),
                     Queue(), state_,
                     Model(), Sources(),
                     Dpi(),   session_->pending_macro,
                     hooks_,  open_mouse_settings_,
                     clock_};
}

void DeviceMainDlg::ListModels() {
  using namespace ui::ctl;
  toolkit_.ClearItems(kDeviceList);
  for (const CatalogEntry& model : Catalog().models) {
    ui::ListItem item;
    item.text = model.name;
    item.data = model.device_type;
    item.image = model.image;
    toolkit_.AddItem(kDeviceList, item);
  }
  toolkit_.SetAllDevicesOffline(kDeviceList);
}

void DeviceMainDlg::ApplyTexts() {
  using namespace ui::ctl;
  ui::ApplyMainWindowTexts(toolkit_, text_);
  const std::string& version = Catalog().version;
  const std::string version_text = version.empty() ? std::string() : text_(text_id::kVersion) + ": v" + version;
  toolkit_.SetText(kSubtitle, version_text);
  toolkit_.SetText(kSoftwareVersion, version.empty() ? std::string() : "v" + version);
  toolkit_.SetText(kWebsiteLink, Catalog().website_url);
  toolkit_.SetText(kConnectionState, text_(state_.StatusText()));
  toolkit_.SelectData(kLanguageList, context_.Language().CurrentLcid());
  ShowProfileName();
  view_->DeviceListChanged();
  hooks_.LanguageChanged();
}

void DeviceMainDlg::ShowProfileName() {
  std::string name;
  if (!Store().IsOpen() || !GetProfileName(Store(), state_.current_profile, name)) return;
  toolkit_.SetText(ui::ctl::kProfileButton, ui::DisplayedProfileName(name, text_(text_id::kProfile)));
}

void DeviceMainDlg::ShowSaveTip() {
  if (Model().Get().save_tip_shown) save_tip_.ShowSaveTip();
}

void DeviceMainDlg::ShowDpiTip(int dpi) {
  if (dpi_tip_ && Model().Get().dpi_tip_shown) dpi_tip_->ShowDpiTip(dpi);
}

// Without the device list no mouse can be recognised: that, not "no device
// connected", is what the user is told, with the file and the reason.
void DeviceMainDlg::TellUnreadableCatalog() {
  const LoadReport& report = session_->catalog_report;
  if (report.loaded) return;
  const std::string cause = report.file.string() + ": " + report.error;
  std::cerr << "korvane: cannot read " << cause << '\n';
  ui::ShowMessageBox(toolkit_, text_, text_(text_id::kCatalogUnreadableTitle),
                     text_(text_id::kCatalogUnreadable) + "\n\n" + cause, ui::kMessageOk);
}

int DeviceMainDlg::Message(int title, int message, int kind) {
  return ui::ShowMessageBox(toolkit_, text_, text_(title), text_(message), kind);
}

bool DeviceMainDlg::MouseLinkedOrTell() {
  if (state_.mouse_linked) return true;
  Message(text_id::kNoMouseTitle, text_id::kMouseNotConnected, ui::kMessageOk);
  return false;
}

void DeviceMainDlg::RequestFactoryReset() {
  if (!MouseLinkedOrTell()) return;
  if (Message(text_id::kFactoryResetTitle, text_id::kFactoryResetQuestion, ui::kMessageOkCancel) == ui::kResultCancel)
    return;
  state_.ClearReadBack();
  Queue().Push(kTaskFactoryReset);
  ShowSaveTip();
}

void DeviceMainDlg::OpenProfileDialog() {
  if (!MouseLinkedOrTell()) return;
  std::vector<ProfileRecord> records;
  ListProfiles(Store(), records);
  std::vector<ui::ProfileEntry> profiles;
  for (const ProfileRecord& record : records) profiles.push_back({record.profile, record.name});
  const ui::Rect button = toolkit_.ControlRect(ui::ctl::kProfileButton);
  ui::Rect rect{button.left, button.top - kProfileAbove, button.width, kProfileAbove - kProfileGap};
  // Below the button when there is no room above it (a window at the top of
  // the screen), so the pop-up never opens off the screen.
  if (rect.top < toolkit_.WorkArea().top) rect.top = button.top + button.height + kProfileGap;
  ui::ProfileDlg dialog(toolkit_, text_, [this](int profile, const std::string& name) {
    RenameProfile(Store(), profile, name);
    if (profile == state_.current_profile) ShowProfileName();
  });
  dialog.Run(profiles, state_.current_profile, rect);
}

void DeviceMainDlg::CloseTransientWindows() {
  using ui::WindowId;
  if (toolkit_.GetWindowState(WindowId::kMessageBox) != ui::WindowState::kHidden) {
    toolkit_.PostMessage(WindowId::kMessageBox, ui::msg::kClose, ui::kResultCancel, 0);
  }
  for (const WindowId window : {WindowId::kProfile, WindowId::kPalette}) {
    if (toolkit_.GetWindowState(window) != ui::WindowState::kHidden) {
      toolkit_.PostMessage(window, ui::msg::kClose, 0, 0);
    }
  }
  hooks_.CloseTransient();
}

}  // namespace korvane
