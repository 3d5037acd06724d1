#include "buttons/button_assignments.hpp"

#include "buttons/pending_macro.hpp"
#include "common/text.hpp"
#include "macros/macro_encoding.hpp"
#include "store/key_table.hpp"
#include "store/macro_table.hpp"
#include "worker/connection_state.hpp"
#include "worker/task_queue.hpp"

namespace korvane {

namespace {

bool MacroFits(ConfigStore& store, int macro_id) {
  std::vector<MacroEvent> events;
  LoadEventRows(store, macro_id, events);
  return MacroFitsTheMouse(EncodeMacroEvents(events).size() / kMacroRecordSize);
}

AssignResult Store(const ButtonTarget& target, int key_code, int type, int value, int value2,
                   const std::string& description) {
  if (key_code == kPrimaryButton) return AssignResult::kPrimaryButton;
  const ButtonTarget& s = target;
  KeyAssignment row;
  row.profile = s.state.current_profile;
  row.key_code = key_code;
  row.macro_type = type;
  row.macro_value = value;
  row.macro_value2 = value2;
  row.macro_desc = description;
  if (StoreKeyAssignment(s.store, row) == 0) return AssignResult::kStoreFailed;
  // A macro is marked before the table write is queued: the worker may take
  // the task at once, and it sends only the macro marked by then.
  if (type == kFunctionMacro) s.pending.Set(key_code);
  s.queue.Push(kTaskButtons);
  return AssignResult::kStored;
}

}  // namespace

AssignResult AssignFunction(const ButtonTarget& target, int key_code, int type, int value,
                            const std::string& description) {
  if (key_code != kPrimaryButton && type == kFunctionMacro && !MacroFits(target.store, value)) {
    return AssignResult::kMacroTooLong;
  }
  return Store(target, key_code, type, value, 0, description);
}

AssignResult AssignKeyCombination(const ButtonTarget& target, int key_code, const KeyCombination& combination) {
  if (key_code != kPrimaryButton && combination.Empty()) return AssignResult::kNothingToStore;
  return Store(target, key_code, kFunctionKeyboard, combination.usage, combination.modifiers, combination.description);
}

AssignResult AssignRepeat(const ButtonTarget& target, int key_code, long long first, long long second,
                          const std::string& caption) {
  return Store(target, key_code, kFunctionRepeat, ClampRepeatFirst(first), ClampRepeatSecond(second), caption);
}

AssignResult AssignDisabled(const ButtonTarget& target, int key_code, const std::string& description) {
  return Store(target, key_code, kFunctionDisabled, 1, 0, description);
}

bool ResetKey(const ButtonTarget& target, int key_code) {
  const ButtonTarget& s = target;
  KeyAssignment row;
  row.profile = s.state.current_profile;
  row.key_code = key_code;
  row.macro_type = kFunctionMouse;
  StoreKeyAssignment(s.store, row);
  KeyAssignment left;
  const bool cleared = !LoadKeyAssignment(s.store, row.profile, key_code, left);
  s.queue.Push(kTaskButtons);
  return cleared;
}

bool ResetAllKeys(const ButtonTarget& target) {
  const ButtonTarget& s = target;
  const bool deleted = DeleteProfileKeys(s.store, s.state.current_profile);
  s.queue.Push(kTaskButtons);
  return deleted;
}

std::vector<ButtonView> LoadButtonViews(ConfigStore& store, int profile, const std::vector<KeyAssignment>& defaults,
                                        const TextLookup& text, const MacroNameDisplay& macro_name) {
  std::vector<ButtonView> views;
  for (const KeyAssignment& d : defaults) {
    views.push_back({d.key_code, text(LeadingNumber(d.layout_desc)), text(LeadingNumber(d.macro_desc)), d});
  }
  std::vector<KeyAssignment> rows;
  LoadKeyAssignments(store, profile, rows);
  for (const KeyAssignment& row : rows) {
    for (ButtonView& view : views) {
      if (view.key_code != row.key_code) continue;
      view.description = DisplayedDescription(row, text, macro_name);
      view.assignment = row;
    }
  }
  return views;
}

}  // namespace korvane
