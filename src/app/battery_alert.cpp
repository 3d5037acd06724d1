#include "app/battery_alert.hpp"

namespace korvane {

BatteryAlertStep NextBatteryAlert(int lowest_told, int charge) {
  if (charge < 1 || charge > 100) return {lowest_told, 0};
  // Levels the charge has climbed back above are told again when crossed.
  for (auto level = kBatteryAlertLevels.rbegin(); level != kBatteryAlertLevels.rend(); ++level) {
    if (*level == lowest_told && charge >= *level + kBatteryRearmMargin) {
      lowest_told = level + 1 == kBatteryAlertLevels.rend() ? 0 : *(level + 1);
    }
  }
  int crossed = 0;
  for (const int level : kBatteryAlertLevels) {
    if (charge < level) crossed = level;
  }
  if (crossed != 0 && (lowest_told == 0 || crossed < lowest_told)) return {crossed, crossed};
  return {lowest_told, 0};
}

}  // namespace korvane
