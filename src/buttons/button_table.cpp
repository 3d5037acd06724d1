#include "buttons/button_table.hpp"

#include <algorithm>

#include "buttons/button_functions.hpp"
#include "keys/key_usage.hpp"

namespace korvane {

namespace {

using Entry = std::array<std::uint8_t, 3>;

constexpr std::uint8_t kTableLengthByte = 0x0F;

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

// clang-format off
constexpr Entry kMouseEntries[] = {
    {0x10, 0x00, 0x00}, {0x10, 0x01, 0x00}, {0x10, 0x04, 0x00}, {0x10, 0x02, 0x00}, {0x30, 0x32, 0x03},
    {0x10, 0x10, 0x00}, {0x10, 0x08, 0x00}, {0x20, 0x01, 0x00}, {0x20, 0xFF, 0x00}, {0x10, 0x00, 0xF5},
    {0x10, 0x00, 0xF6}};
// Consumer usages of multimedia values 1..8 and system values 1..6.
constexpr int kMultimediaUsages[] = {0x0183, 0x00CD, 0x00B7, 0x00B6, 0x00B5, 0x00E9, 0x00EA, 0x00E2};
constexpr int kSystemUsages[] = {0x006F, 0x0070, 0x0192, 0x0194, 0x0223, 0x018A};
// System values 7..11 are key combinations: Win+D, Win+Tab, Ctrl+C, Ctrl+V, Ctrl+X.
constexpr Entry kSystemCombinations[] = {
    {0x70, 0x08, 0x07}, {0x70, 0x08, 0x2B}, {0x70, 0x01, 0x06}, {0x70, 0x01, 0x19}, {0x70, 0x01, 0x1B}};
constexpr Entry kDpiEntries[] = {{0x40, 0x00, 0x00}, {0x40, 0x02, 0x00}, {0x40, 0x03, 0x00}, {0x40, 0x01, 0x00}};
// clang-format on

template <std::size_t N>
const Entry& Pick(const Entry (&entries)[N], int value) {
  return value > 0 && value < static_cast<int>(N) ? entries[value] : entries[0];
}

Entry ConsumerEntry(int usage) { return {0x80, Byte(usage), Byte(usage >> 8)}; }

template <std::size_t N>
Entry ConsumerOf(const int (&usages)[N], int value) {
  return ConsumerEntry(value >= 1 && value <= static_cast<int>(N) ? usages[value - 1] : 0);
}

Entry KeyboardEntry(int usage, int modifiers) {
  if (modifiers == 0 && usage >= 0xE0 && usage <= 0xE7) return {0x70, Byte(ModifierBit(usage)), 0x00};
  return {0x70, Byte(modifiers), Byte(ModifierBit(usage))};
}

Entry SystemEntry(int value) {
  constexpr int kUsages = static_cast<int>(std::size(kSystemUsages));
  if (value > kUsages && value <= kUsages + static_cast<int>(std::size(kSystemCombinations)))
    return kSystemCombinations[value - kUsages - 1];
  return ConsumerOf(kSystemUsages, value);
}

// Play bits: 0x10 for play types 1 and 3, 0x40 for type 2, else 0x20 with the
// play count when the macro plays a number of times.
Entry MacroEntry(int key_code, const MacroHeader& macro) {
  Entry entry{0x90, Byte(key_code), 0x00};
  if (macro.play_type == 1 || macro.play_type == 3) {
    entry[1] |= 0x10;
  } else if (macro.play_type == 2) {
    entry[1] |= 0x40;
  } else if (macro.play_times >= 1) {
    entry[1] |= 0x20;
    entry[2] = Byte(macro.play_times);
  }
  return entry;
}

}  // namespace

ButtonTable DefaultButtonTable() {
  // clang-format off
  return ButtonTable{0x10, 0x01, 0x00,  0x10, 0x02, 0x00,  0x10, 0x04, 0x00,
                     0x10, 0x08, 0x00,  0x10, 0x10, 0x00,  0x40, 0x01, 0x00};
  // clang-format on
}

void EncodeAssignment(ButtonTable& table, const KeyAssignment& a, const SendableMacro& macro) {
  if (a.key_code < 0 || a.key_code >= kButtonTableEntries) return;
  std::uint8_t* entry = table.data() + 3 * a.key_code;
  const auto put = [entry](const Entry& bytes) { std::copy(bytes.begin(), bytes.end(), entry); };
  switch (a.macro_type) {
    case kFunctionMouse:
      return put(Pick(kMouseEntries, a.macro_value));
    case kFunctionKeyboard:
      return put(KeyboardEntry(a.macro_value, a.macro_value2));
    case kFunctionMultimedia:
      return put(ConsumerOf(kMultimediaUsages, a.macro_value));
    case kFunctionMacro:
      if (const MacroHeader* header = macro(a.macro_value)) put(MacroEntry(a.key_code, *header));
      return;
    case kFunctionDpi:
      return put(Pick(kDpiEntries, a.macro_value));
    case kFunctionSpecial:
      entry[0] = 0x60;
      if (a.macro_value == 1) entry[1] = 0x04;
      if (a.macro_value == 2) entry[1] = 0x01;
      return;
    case kFunctionRepeat:
      return put({0x30, Byte(a.macro_value), Byte(a.macro_value2)});
    case kFunctionSystem:
      return put(SystemEntry(a.macro_value));
    case kFunctionDisabled:
      return put({0x60, 0x00, 0x00});
    default:
      return;
  }
}

ButtonTable BuildButtonTable(std::span<const KeyAssignment> assignments, const SendableMacro& macro) {
  ButtonTable table = DefaultButtonTable();
  for (const KeyAssignment& assignment : assignments) EncodeAssignment(table, assignment, macro);
  return table;
}

ReportPacket BuildButtonTableCommand(const ButtonTable& table) {
  ReportPacket packet = *WritePacket(report::kButtons, std::span(table).first(report::kMaxPayload));
  packet[report::kLengthByte] = kTableLengthByte;
  return packet;
}

}  // namespace korvane
