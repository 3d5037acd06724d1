#pragma once

#include <string>
#include <vector>

#include "buttons/button_functions.hpp"
#include "keys/key_combination.hpp"
#include "store/records.hpp"

namespace korvane {

class ConfigStore;
class ConnectionState;
class PendingMacro;
class TaskQueue;

// What a buttons-page operation changes: the current profile's assignments
// in the settings store, the worker's queue, and the macro the next table
// write sends first.
struct ButtonTarget {
  ConfigStore& store;
  ConnectionState& state;
  TaskQueue& queue;
  PendingMacro& pending;
};

// Button 0, the primary button, keeps its function: assigning to it is
// refused (resetting it is allowed).
inline constexpr int kPrimaryButton = 0;

enum class AssignResult {
  kStored,          // stored; the table write is queued
  kPrimaryButton,   // refused: the primary button
  kMacroTooLong,    // refused: the macro has more device events than the mouse takes
  kNothingToStore,  // a key combination without key and modifier: nothing stored or queued
  kStoreFailed,     // the settings database did not take it: nothing queued
};

// Stores a function of the mouse, multimedia, macro, DPI, special or system
// group (value: the chosen item's value, description: its text) for the
// button and queues the table write. A macro is also marked to be sent
// with it, and is refused when it could never reach the mouse.
AssignResult AssignFunction(const ButtonTarget& target, int key_code, int type, int value,
                            const std::string& description);
AssignResult AssignKeyCombination(const ButtonTarget& target, int key_code, const KeyCombination& combination);
// The two numbers are clamped to the repeat panel's ranges.
AssignResult AssignRepeat(const ButtonTarget& target, int key_code, long long first, long long second,
                          const std::string& caption);
AssignResult AssignDisabled(const ButtonTarget& target, int key_code, const std::string& description);

// The button falls back to its default (its row is deleted); the table
// write is queued either way. False when the database failed.
bool ResetKey(const ButtonTarget& target, int key_code);
// Every button of the current profile falls back to its default.
bool ResetAllKeys(const ButtonTarget& target);

// One line of the button list: a button of the model with its name and
// what it does now, in the current language.
struct ButtonView {
  int key_code = 0;
  std::string name;
  std::string description;
  KeyAssignment assignment;  // the stored row, else the model's default
};

// The model's buttons in definition order, described by the profile's
// stored assignments or else by their defaults.
std::vector<ButtonView> LoadButtonViews(ConfigStore& store, int profile, const std::vector<KeyAssignment>& defaults,
                                        const TextLookup& text, const MacroNameDisplay& macro_name);

}  // namespace korvane
