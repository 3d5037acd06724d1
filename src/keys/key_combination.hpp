#pragma once

#include <string>
#include <string_view>

namespace korvane {

// The modifier toggles of the key-combination panel.
struct ModifierToggles {
  bool shift = false;
  bool ctrl = false;
  bool win = false;
  bool alt = false;
};

// What a keyboard assignment (type 2) stores.
struct KeyCombination {
  int usage = 0;      // macro_value: the key's keyboard usage, 0 for none
  int modifiers = 0;  // macro_value2: Ctrl 1, Shift 2, Alt 4, Win 8
  std::string description;

  // A combination with neither key nor modifier is never stored.
  bool Empty() const { return usage == 0 && modifiers == 0; }
};

// The captured key (a virtual-key code, 0 for none) and its shown name with
// the toggles. The description joins the modifier words ("Shift", then
// "+ Ctrl", "+ Win", "+ Alt" after a word, with no space before the plus)
// and the key name as "<modifiers> + <key>", or whichever is not empty.
KeyCombination BuildCombination(int captured_key, std::string_view key_name, const ModifierToggles& toggles);

}  // namespace korvane
