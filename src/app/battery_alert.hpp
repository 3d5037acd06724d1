#pragma once

#include <array>

namespace korvane {

// The charge levels, in percent, whose crossing on the way down is told to
// the user, highest first.
inline constexpr std::array<int, 3> kBatteryAlertLevels{20, 10, 5};
// A level told is told again only after the charge has climbed this many
// points above it, so a value wavering around a level is told once.
inline constexpr int kBatteryRearmMargin = 5;

struct BatteryAlertStep {
  // The lowest level told since the battery was last charged; 0 for none.
  int lowest_told = 0;
  // The level just crossed, to be told now; 0 for nothing to tell.
  int tell = 0;
};

// The next step for a new charge value (percent). A value outside 1..100
// carries no battery information and changes nothing. A fall past several
// levels at once tells only the lowest of them.
BatteryAlertStep NextBatteryAlert(int lowest_told, int charge);

}  // namespace korvane
