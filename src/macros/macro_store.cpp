#include "macros/macro_store.hpp"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/text.hpp"
#include "macros/macro_names.hpp"
#include "store/config_store.hpp"
#include "store/key_table.hpp"
#include "store/macro_table.hpp"
#include "store/sqlite_transaction.hpp"

namespace korvane {

namespace {

constexpr int kMacroFunctionType = 4;  // a button assignment that plays a macro
constexpr int kFirstThreeDigitModel = 201;

}  // namespace

MacroOptionChoices ChoicesOf(const MacroHeader& header) {
  MacroOptionChoices choices;
  choices.delay_choice = std::clamp(header.delay_type, 0, 2);
  choices.delay_time = header.delay_time;
  choices.play_choice = header.play_type == 1 ? 0 : header.play_type == 2 ? 1 : 2;
  choices.play_times = header.play_times;
  return choices;
}

MacroHeader WithChoices(MacroHeader header, const MacroOptionChoices& choices) {
  header.delay_type = std::clamp(choices.delay_choice, 0, 2);
  header.delay_time = choices.delay_time;
  header.play_type = choices.play_choice == 0 ? 1 : choices.play_choice == 1 ? 2 : 0;
  header.play_times = choices.play_choice == 2 ? choices.play_times : 1;
  return header;
}

int ClampFixedDelay(int milliseconds) { return std::clamp(milliseconds, 1, 10000); }

int ClampPlayCount(int times, int device_type) {
  return std::clamp(times, 1, device_type < kFirstThreeDigitModel ? 999 : 255);
}

int ReadDelayField(std::string_view text) { return Trim(text).empty() ? 10 : ClampFixedDelay(LeadingNumber(text)); }

int ReadPlayCountField(std::string_view text, int device_type) {
  return Trim(text).empty() ? 1 : ClampPlayCount(LeadingNumber(text), device_type);
}

bool StoreMacroOptions(ConfigStore& store, int macro_id, const MacroOptionChoices& choices) {
  MacroHeader header;
  if (!LoadMacroRow(store, macro_id, header)) return false;
  return UpdateMacroRow(store, macro_id, WithChoices(header, choices));
}

int CreateMacro(ConfigStore& store, const TextLookup& text, int listed) {
  return InsertMacroRow(store, NewMacroName(text, listed));
}

bool StoreEventList(ConfigStore& store, int macro_id, const EventList& list) {
  const ConfigStore::Lock lock = store.Hold();
  const std::uint64_t failures = store.Failures();
  SQLiteAutoTransaction transaction(&store.Db());
  DeleteEventRows(store, macro_id);
  std::vector<MacroEvent> rows = list;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].macro_id = macro_id;
    rows[i].record_index = static_cast<int>(i);
  }
  InsertEventRows(store, rows);
  return store.Failures() == failures;
}

bool RenameMacro(ConfigStore& store, int macro_id, const std::string& name, int profile) {
  const ConfigStore::Lock lock = store.Hold();
  const std::uint64_t failures = store.Failures();
  std::vector<KeyAssignment> rows;
  LoadKeyAssignments(store, profile, rows);
  for (const KeyAssignment& row : rows) {
    if (row.macro_type == kMacroFunctionType && row.macro_value == macro_id) {
      StoreKeyDescription(store, profile, row.key_code, name);
    }
  }
  RenameMacroRow(store, macro_id, name);
  return store.Failures() == failures;
}

}  // namespace korvane
