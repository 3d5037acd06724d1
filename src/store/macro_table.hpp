#pragma once

#include <string>
#include <vector>

#include "store/records.hpp"

namespace korvane {

class ConfigStore;

// Macros (t_macro_data) and their events (t_macrorecord), shared by every
// profile of the model. Inserts return the new id, 0 on failure.

// A new macro with play_type 0, play_times 1, delay_type 1, delay_time 0.
int InsertMacroRow(ConfigStore& store, const std::string& name);
// A new macro with the header's name and options (its macro_id is not used).
int InsertMacroRowFrom(ConfigStore& store, const MacroHeader& header);

bool RenameMacroRow(ConfigStore& store, int macro_id, const std::string& name);
// Writes the header's name and options to the macro macro_id.
bool UpdateMacroRow(ConfigStore& store, int macro_id, const MacroHeader& header);
bool LoadMacroRow(ConfigStore& store, int macro_id, MacroHeader& header);
// Empties the list first; returns the number of headers.
int LoadMacroRows(ConfigStore& store, std::vector<MacroHeader>& headers);

// Deletes the header, then (only when that completed) its events, in one
// transaction. True only
// when both completed; a macro that does not exist succeeds.
bool DeleteMacroRow(ConfigStore& store, int macro_id);

int InsertEventRow(ConfigStore& store, const MacroEvent& event);

// Inserts the events in list order in one transaction, holding the lock
// throughout so no other thread sees half a list. An event whose insert
// fails is skipped.
void InsertEventRows(ConfigStore& store, const std::vector<MacroEvent>& events);

// The macro's events ordered by record_index; list emptied first.
int LoadEventRows(ConfigStore& store, int macro_id, std::vector<MacroEvent>& events);

bool DeleteEventRows(ConfigStore& store, int macro_id);

}  // namespace korvane
