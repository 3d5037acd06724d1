#pragma once

#include <functional>
#include <string>

#include "common/text_lookup.hpp"
#include "platform/app_settings.hpp"
#include "ui/toolkit.hpp"

namespace korvane {

// A notification for the desktop to show.
struct DesktopNotice {
  std::string title;
  std::string body;
  bool critical = false;
};

using NoticeSender = std::function<void(const DesktopNotice&)>;

// The low-battery notifications: each battery value the mouse reports goes
// through NextBatteryAlert, and a level crossed is sent to the desktop
// unless the settings page's box is off ("battery_notify" = 0 in the
// application settings; on when never chosen). The levels are followed
// while the box is off too, so ticking it tells no level already passed.
class BatteryNotices final {
 public:
  // send: delivers a notice; empty where there is no desktop to tell.
  BatteryNotices(ui::Toolkit& toolkit, AppSettings& settings, TextLookup text, NoticeSender send);

  // Sets the settings page's box from what is stored.
  void Load();
  void SetEnabled(bool ticked);
  // Battery value A: the charge in percent; 0 carries no information.
  void OnBattery(int charge);

 private:
  bool Enabled() const;

  ui::Toolkit& toolkit_;
  AppSettings& settings_;
  TextLookup text_;
  NoticeSender send_;
  int lowest_told_ = 0;
};

}  // namespace korvane
