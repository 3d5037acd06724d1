#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_combination.hpp"

namespace korvane {

// The name of a key as a US keyboard layout shows it ("A", "F13", "Page Up",
// "Num 9", and the program's own names such as "RWindows" and "Num Enter");
// empty for a code without a key.
std::string_view UsKeyName(int virtual_key);

// Every key name UsKeyName gives, in code order.
std::vector<std::string_view> AcceptedKeyNames();

// A key typed by name, as UsKeyName spells it or by a short alias ("RWin",
// "LWin", "Esc", "Return"); case does not matter.
std::optional<int> KeyFromName(std::string_view name);

// A combination typed as text: modifier words Ctrl, Shift, Alt and Win and
// at most one key, joined with '+' ("Ctrl+Shift+A", "Win", "Num Enter").
// The description is the one the key-combination panel makes.
struct ParsedCombination {
  std::optional<KeyCombination> combination;
  std::string unknown;  // the part that is neither a modifier nor a key
};
ParsedCombination ParseCombination(std::string_view text);

}  // namespace korvane
