#include "app/battery_notices.hpp"

#include "app/battery_alert.hpp"
#include "common/text_ids.hpp"
#include "ui/control_ids.hpp"

namespace korvane {

namespace {
constexpr char kBatteryNotify[] = "battery_notify";
// The last level is told as critical, so the desktop keeps it on screen.
constexpr int kCriticalLevel = kBatteryAlertLevels.back();
}  // namespace

BatteryNotices::BatteryNotices(ui::Toolkit& toolkit, AppSettings& settings, TextLookup text, NoticeSender send)
    : toolkit_(toolkit), settings_(settings), text_(std::move(text)), send_(std::move(send)) {}

bool BatteryNotices::Enabled() const { return settings_.Read(kBatteryNotify).value != "0"; }

void BatteryNotices::Load() { toolkit_.SetChecked(ui::ctl::kBatteryNotices, Enabled()); }

void BatteryNotices::SetEnabled(bool ticked) { settings_.WriteAppSetting(kBatteryNotify, ticked ? "1" : "0"); }

void BatteryNotices::OnBattery(int charge) {
  const BatteryAlertStep step = NextBatteryAlert(lowest_told_, charge);
  lowest_told_ = step.lowest_told;
  if (step.tell == 0 || !send_ || !Enabled()) return;
  send_({text_(text_id::kBatteryLowTitle), text_(text_id::kBatteryCharge) + ": " + std::to_string(charge) + " %",
         step.tell <= kCriticalLevel});
}

}  // namespace korvane
