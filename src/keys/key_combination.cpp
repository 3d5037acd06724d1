#include "keys/key_combination.hpp"

#include "keys/key_usage.hpp"

namespace korvane {

KeyCombination BuildCombination(int captured_key, std::string_view key_name, const ModifierToggles& toggles) {
  KeyCombination combination;
  combination.usage = VirtualKeyToUsage(captured_key);
  std::string words;
  const auto add = [&](bool on, int bit, std::string_view word) {
    if (!on) return;
    combination.modifiers |= bit;
    if (!words.empty()) words += "+ ";
    words += word;
  };
  add(toggles.shift, 2, "Shift");
  add(toggles.ctrl, 1, "Ctrl");
  add(toggles.win, 8, "Win");
  add(toggles.alt, 4, "Alt");
  if (!words.empty() && !key_name.empty()) {
    combination.description = words + " + " + std::string(key_name);
  } else {
    combination.description = words.empty() ? std::string(key_name) : words;
  }
  return combination;
}

}  // namespace korvane
