#pragma once

#include <string>
#include <vector>

#include "store/records.hpp"

namespace korvane {

class ConfigStore;

// Button assignments of t_key_macro_data. A row exists only while its
// macro_value or macro_value2 is non-zero, and at most one per (profile,
// fn_layer, key_code). The reads use fn_layer 0.

// Deletes the row of the record's (profile, fn_layer, key_code), then
// inserts the record when macro_value or macro_value2 is non-zero. Returns the
// new key_id; 0 when nothing was inserted (the button falls back to its model
// default) or the insert failed.
int StoreKeyAssignment(ConfigStore& store, const KeyAssignment& record);

bool LoadKeyAssignment(ConfigStore& store, int profile, int key_code, KeyAssignment& record);

bool StoreKeyDescription(ConfigStore& store, int profile, int key_code, const std::string& text);

// Empties the list first; returns the number of records.
int LoadKeyAssignments(ConfigStore& store, int profile, std::vector<KeyAssignment>& records);

bool DeleteProfileKeys(ConfigStore& store, int profile);

}  // namespace korvane
