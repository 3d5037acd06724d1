#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korvane {

class ConfigStore;
class ConnectionState;
struct DeviceModel;

// Profile files: the current profile's name, button assignments, lighting
// rows, DPI levels and nine performance settings.
//   <profile><profileinfo name>
//     <keyitems><item key_code macro_type macro_value macro_value2 macro_value3 macro_desc/>...</keyitems>
//     <Lightitems lightmode><item light_mode brightness speed direction colorful colorindex
//                                 color_value1..color_value7/>...</Lightitems>
//     <Mouse_DPI dpi_flag dpi_index dpi_count><DPI1 value color/>...<DPI6/></Mouse_DPI>
//     <Mouse><button_respondtime value/>...<move_closelight value/></Mouse>
//   </profileinfo></profile>

// The document (declaration and CR LF first), under the profile's shown name.
std::string ProfileDocument(ConfigStore& store, int profile, const std::string& shown_name);
// Writes it through a temporary file renamed over the target; false when it
// could not be written.
bool ExportProfile(ConfigStore& store, int profile, const std::string& shown_name, const std::filesystem::path& file);

// What the current model lets a profile hold: an imported value the pages
// could not have made for it is left out (the stored value stays).
struct ProfileRules {
  std::vector<int> buttons;  // key codes of the model's buttons
  int rate_capability = 4;   // the report rates the mouse offers
  int sensor_id = -1;        // its sensor, for the DPI range and steps
};

// The rules of the current model and mouse.
ProfileRules CurrentProfileRules(const DeviceModel& model, const ConnectionState& state);

// Reads a profile file into the profile: renamed to the file's title (its
// name without ".xml"), its button assignments replaced, its lighting rows
// overwritten where the profile has the mode, the DPI keys and the nine
// settings stored where their elements exist; values are held to what the
// pages could have made, others left out. Returns why nothing was read
// (empty when it was); the caller then writes everything to the mouse.
std::string ImportProfileDocument(ConfigStore& store, int profile, const std::string& bytes, const std::string& title,
                                  const ProfileRules& rules);
std::string ImportProfileFile(ConfigStore& store, int profile, const std::filesystem::path& file,
                              const ProfileRules& rules);

}  // namespace korvane
