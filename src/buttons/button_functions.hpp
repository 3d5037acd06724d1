#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "common/text_lookup.hpp"
#include "store/records.hpp"

namespace korvane {

// The function types of a button assignment (macro_type).
enum ButtonFunctionType : int {
  kFunctionMouse = 1,
  kFunctionKeyboard = 2,
  kFunctionMultimedia = 3,
  kFunctionMacro = 4,
  kFunctionDpi = 5,
  kFunctionSpecial = 6,
  kFunctionRepeat = 7,
  kFunctionSystem = 8,
  kFunctionDisabled = 9,
};

// One choice of a function group's selector: its language text (or a fixed
// text where the group has no language text for it) and the macro_value it
// stores.
struct FunctionItem {
  int text_id = 0;
  std::string_view fixed_text;
  int value = 0;
};

// The choices the buttons page offers for the mouse, multimedia, DPI,
// special and system groups, in display order; empty for other types.
std::span<const FunctionItem> OfferedFunctions(int type);

// The item's text in the current language.
std::string FunctionItemText(const FunctionItem& item, const TextLookup& text);

// The repeat panel's limits: the first number 5..255, the second 0..255,
// and the values the panel starts with.
inline constexpr int kRepeatFirstMin = 5;
inline constexpr int kRepeatMax = 255;
inline constexpr int kRepeatFirstDefault = 5;
inline constexpr int kRepeatSecondDefault = 1;
int ClampRepeatFirst(long long value);
int ClampRepeatSecond(long long value);

// A macro's stored name as a button description shows it in the current
// language (the default-name localisation of the macros).
using MacroNameDisplay = std::function<std::string(const std::string& stored_name)>;

// The description a button shows for a stored assignment, recomputed in the
// current language: mouse, multimedia, special, system, repeat and disabled
// functions by their language texts, macros by their displayed name, and the
// stored text for keyboard and DPI functions and for values without a text.
std::string DisplayedDescription(const KeyAssignment& assignment, const TextLookup& text,
                                 const MacroNameDisplay& macro_name);

}  // namespace korvane
