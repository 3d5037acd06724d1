#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "performance/settings_target.hpp"
#include "profiles/model_loader.hpp"

namespace korvane {

// One report rate as the rate list shows it.
struct RateEntry {
  std::string_view text;  // "125Hz" ...
  int hertz;
  int code;    // stored and sent
  int colour;  // of the list item, R + 256·G + 65536·B
};

// The rates a mouse of this capability is offered: all seven for 7, the
// first four (125 to 1000 Hz) otherwise.
std::span<const RateEntry> OfferedRates(int rate_capability);

// The entry of a rate code or a frequency; nullopt when no rate has it.
std::optional<RateEntry> RateOfCode(int code);
std::optional<RateEntry> RateOfHertz(int hertz);

// The position of a stored code among the offered rates; nullopt (the
// list selects nothing) for a code that is not offered.
std::optional<std::size_t> OfferedRateIndex(int rate_capability, int code);

// Stores the rate in report_rate and report_rate_wireless and queues task
// 11. A code the mouse is not offered is refused (false).
bool ChangeReportRate(const SettingsTarget& target, int code);

// The model's default rate is stored (nothing when the definition has none
// or it is not a rate the mouse is offered); task 11 is queued either way.
// Returns whether a rate was stored.
bool ResetReportRate(const SettingsTarget& target, const ModelSources& sources);

}  // namespace korvane
