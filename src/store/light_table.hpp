#pragma once

#include <vector>

#include "store/records.hpp"

namespace korvane {

class ConfigStore;

// Lighting rows of t_light_data, one per (profile, mode).

// Number of rows of the profile; 0 on failure.
int CountLightRows(ConfigStore& store, int profile);

// Inserts every column but light_id; the new light_id, 0 on failure.
int InsertLightRow(ConfigStore& store, const LightSetting& record);

// Updates brightness, speed, direction, colorful, colorindex, the seven
// colours, config_func and reserved of the row (record.profile, mode). name,
// mode and status are never updated; a mode without a row changes nothing and
// still succeeds.
bool UpdateLightRow(ConfigStore& store, int mode, const LightSetting& record);

// Makes mode the profile's only active row; both updates run under one hold
// of the lock, so no other thread sees the profile without an active row in
// between. A mode without a row leaves the profile with none.
bool MarkActiveLight(ConfigStore& store, int profile, int mode);

// Mode of the profile's first active row; 0 when none.
int LoadActiveLightMode(ConfigStore& store, int profile);

bool LoadLightRow(ConfigStore& store, int profile, int mode, LightSetting& record);

// Empties the list first; returns the number of records.
int LoadLightRows(ConfigStore& store, int profile, std::vector<LightSetting>& records);

}  // namespace korvane
