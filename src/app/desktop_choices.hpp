#pragma once

#include "app/autostart.hpp"
#include "platform/app_settings.hpp"
#include "ui/toolkit.hpp"

namespace korvane {

// The settings page's start-up and close-button choices and the exits they
// lead to: the autostart entry, "autorun_minimize" and "exit_mode" in the
// application settings. Failures are silent: a choice that cannot be
// written is simply not remembered.
class DesktopChoices final {
 public:
  DesktopChoices(ui::Toolkit& toolkit, AppSettings& settings, AutostartEntry autostart);

  // Sets the autostart, start-minimised and exit-mode controls from what is stored.
  void Load();
  void SetAutostart(bool ticked);
  void SetStartMinimised(bool ticked);
  void SetExitMode(bool hide_to_tray);

  // The close button: hides the window when "exit_mode" is 1 and the
  // desktop has a tray to bring it back from, else ends the program.
  void OnCloseButton();
  // Removes the tray icon and ends the program with exit code 0.
  void Exit();

 private:
  ui::Toolkit& toolkit_;
  AppSettings& settings_;
  AutostartEntry autostart_;

  bool HidesToTray() const;
};

}  // namespace korvane
