#pragma once

#include <string>
#include <string_view>

#include "common/text_lookup.hpp"
#include "macros/macro_events.hpp"

namespace korvane {

class ConfigStore;

// The options of a macro as the macro page's two groups show them: the
// delay choice (none, recorded, fixed) with its field and the play choice
// (mode 1, mode 2, a number of times) with its field.
struct MacroOptionChoices {
  int delay_choice = 1;
  int delay_time = 0;
  int play_choice = 2;
  int play_times = 1;
};
MacroOptionChoices ChoicesOf(const MacroHeader& header);
// The header with the choices' options (its name kept): delay choices 0, 1,
// 2 are delay_type 0, 1, 2; play choices 0, 1, 2 are play_type 1, 2, 0, and
// play_times is 1 unless the third is chosen.
MacroHeader WithChoices(MacroHeader header, const MacroOptionChoices& choices);

// The ranges of the two numbers: the fixed delay 1..10000 ms; the play
// count 1..999 for models numbered below 201, else 1..255.
int ClampFixedDelay(int milliseconds);
int ClampPlayCount(int times, int device_type);
// The fields as they read when they lose focus, clamped (an empty delay
// field reads 10, an empty count 1).
int ReadDelayField(std::string_view text);
int ReadPlayCountField(std::string_view text, int device_type);

// Writes the choices' options to the macro's header, its name kept. False
// when the database failed.
bool StoreMacroOptions(ConfigStore& store, int macro_id, const MacroOptionChoices& choices);

// A new macro named "<text 351> <listed + 1>" with the new-macro options;
// its id, 0 when the insert failed.
int CreateMacro(ConfigStore& store, const TextLookup& text, int listed);

// Replaces the macro's events by the list in one transaction: record_index
// is the position. False when the database failed (the old events stay).
bool StoreEventList(ConfigStore& store, int macro_id, const EventList& list);

// Renames the macro, and the descriptions of the profile's buttons that
// play it. False when the database failed.
bool RenameMacro(ConfigStore& store, int macro_id, const std::string& name, int profile);

}  // namespace korvane
