#include "app/desktop_choices.hpp"

#include "ui/control_ids.hpp"

namespace korvane {

namespace {
constexpr char kExitMode[] = "exit_mode";
constexpr char kAutorunMinimise[] = "autorun_minimize";
}  // namespace

DesktopChoices::DesktopChoices(ui::Toolkit& toolkit, AppSettings& settings, AutostartEntry autostart)
    : toolkit_(toolkit), settings_(settings), autostart_(std::move(autostart)) {}

void DesktopChoices::Load() {
  using namespace ui::ctl;
  const bool autostart = autostart_.Exists();
  toolkit_.SetChecked(kAutostart, autostart);
  toolkit_.SetEnabled(kStartMinimised, autostart);
  toolkit_.SetChecked(kStartMinimised, autostart && settings_.ReadAppSetting(kAutorunMinimise) == 1);
  // Hiding to the tray is offered only where the desktop has a tray.
  const bool tray = toolkit_.HasTrayIcon();
  toolkit_.SetVisible(kExitHidesToTray, tray);
  toolkit_.SetChecked(HidesToTray() ? kExitHidesToTray : kExitEndsProgram, true);
}

bool DesktopChoices::HidesToTray() const { return toolkit_.HasTrayIcon() && settings_.ReadAppSetting(kExitMode) == 1; }

void DesktopChoices::SetAutostart(bool ticked) {
  using namespace ui::ctl;
  toolkit_.SetEnabled(kStartMinimised, ticked);
  if (ticked) {
    autostart_.Write();
    return;
  }
  toolkit_.SetChecked(kStartMinimised, false);
  settings_.WriteAppSetting(kAutorunMinimise, "0");
  autostart_.Remove();
}

void DesktopChoices::SetStartMinimised(bool ticked) { settings_.WriteAppSetting(kAutorunMinimise, ticked ? "1" : "0"); }

void DesktopChoices::SetExitMode(bool hide_to_tray) { settings_.WriteAppSetting(kExitMode, hide_to_tray ? "1" : "0"); }

void DesktopChoices::OnCloseButton() {
  if (HidesToTray()) {
    toolkit_.ShowWindow(ui::WindowId::kMain, ui::WindowState::kHidden);
  } else {
    Exit();
  }
}

void DesktopChoices::Exit() {
  toolkit_.RemoveTrayIcon();
  toolkit_.Quit(0);
}

}  // namespace korvane
