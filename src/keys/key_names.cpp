#include "keys/key_names.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "keys/key_usage.hpp"

namespace korvane {

namespace {

// clang-format off
constexpr std::pair<int, std::string_view> kNames[] = {
    {0x08, "Backspace"}, {0x09, "Tab"}, {0x0D, "Enter"}, {0x13, "Pause"}, {0x14, "Caps Lock"}, {0x1B, "Escape"},
    {0x20, "Space"}, {0x21, "Page Up"}, {0x22, "Page Down"}, {0x23, "End"}, {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"}, {0x27, "Right"}, {0x28, "Down"}, {0x2C, "Print Screen"}, {0x2D, "Insert"}, {0x2E, "Delete"},
    {0x5B, "Windows"}, {0x5C, "RWindows"}, {0x5D, "Application"},
    {0x60, "Num 0"}, {0x61, "Num 1"}, {0x62, "Num 2"}, {0x63, "Num 3"}, {0x64, "Num 4"}, {0x65, "Num 5"},
    {0x66, "Num 6"}, {0x67, "Num 7"}, {0x68, "Num 8"}, {0x69, "Num 9"}, {0x6A, "Num *"}, {0x6B, "Num +"},
    {0x6C, "Num Enter"}, {0x6D, "Num -"}, {0x6E, "Num ."}, {0x6F, "Num /"}, {0x90, "Num Lock"},
    {0x91, "Scroll Lock"}, {0xA0, "Shift"}, {0xA1, "RShift"}, {0xA2, "Ctrl"}, {0xA3, "RCtrl"}, {0xA4, "Alt"},
    {0xA5, "RAlt"}, {0xBA, ";"}, {0xBB, "="}, {0xBC, ","}, {0xBD, "-"}, {0xBE, "."}, {0xBF, "/"}, {0xC0, "`"},
    {0xDB, "["}, {0xDC, "\\"}, {0xDD, "]"}, {0xDE, "'"}, {0xE2, "<"},
};
constexpr std::pair<std::string_view, int> kAliases[] = {
    {"RWin", 0x5C}, {"LWin", 0x5B}, {"Esc", 0x1B}, {"Return", 0x0D}, {"PgUp", 0x21}, {"PgDown", 0x22},
    {"Del", 0x2E}, {"Ins", 0x2D}, {"PrtSc", 0x2C}, {"Menu", 0x5D},
};
// clang-format on

constexpr std::array<std::string_view, 24> kFunctionKeys{"F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",
                                                         "F9",  "F10", "F11", "F12", "F13", "F14", "F15", "F16",
                                                         "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};
constexpr std::string_view kLettersAndDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

bool SameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string_view UsKeyName(int virtual_key) {
  if ((virtual_key >= 0x30 && virtual_key <= 0x39) || (virtual_key >= 0x41 && virtual_key <= 0x5A)) {
    return kLettersAndDigits.substr(kLettersAndDigits.find(static_cast<char>(virtual_key)), 1);
  }
  if (virtual_key >= 0x70 && virtual_key <= 0x87) return kFunctionKeys[virtual_key - 0x70];
  for (const auto& [key, name] : kNames) {
    if (key == virtual_key) return name;
  }
  return {};
}

std::vector<std::string_view> AcceptedKeyNames() {
  std::vector<std::string_view> names;
  for (int key = 0; key < 0x100; ++key) {
    if (const std::string_view name = UsKeyName(key); !name.empty()) names.push_back(name);
  }
  return names;
}

std::optional<int> KeyFromName(std::string_view name) {
  for (int key = 0; key < 0x100; ++key) {
    if (SameWord(UsKeyName(key), name) && !UsKeyName(key).empty()) return key;
  }
  for (const auto& [alias, key] : kAliases) {
    if (SameWord(alias, name)) return key;
  }
  return std::nullopt;
}

ParsedCombination ParseCombination(std::string_view text) {
  ModifierToggles toggles;
  std::optional<int> key;
  std::string_view rest = text;
  while (true) {
    // '+' alone names the keypad key only as "Num +"; elsewhere it joins parts.
    std::size_t plus = rest.find('+');
    while (plus != std::string_view::npos && plus > 0 && SameWord(Trim(rest.substr(0, plus)), "Num")) {
      plus = rest.find('+', plus + 1);
    }
    const std::string_view part = Trim(rest.substr(0, plus));
    if (SameWord(part, "Ctrl")) {
      toggles.ctrl = true;
    } else if (SameWord(part, "Shift")) {
      toggles.shift = true;
    } else if (SameWord(part, "Alt")) {
      toggles.alt = true;
    } else if (SameWord(part, "Win")) {
      toggles.win = true;
    } else if (const auto found = KeyFromName(part); found && !key) {
      key = found;
    } else {
      return {std::nullopt, std::string(part)};
    }
    if (plus == std::string_view::npos) break;
    rest.remove_prefix(plus + 1);
  }
  const int virtual_key = key.value_or(0);
  return {BuildCombination(virtual_key, UsKeyName(virtual_key), toggles), {}};
}

}  // namespace korvane
