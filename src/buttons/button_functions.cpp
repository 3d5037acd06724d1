#include "buttons/button_functions.hpp"

#include <algorithm>
#include <array>

#include "common/text_ids.hpp"

namespace korvane {

namespace {

namespace t = text_id;

constexpr std::array<FunctionItem, 8> kMouseItems{{{t::kMouseLeftClick, {}, 1},
                                                   {t::kMouseRightClick, {}, 3},
                                                   {t::kMouseMiddleClick, {}, 2},
                                                   {t::kMouseForward, {}, 5},
                                                   {t::kMouseBack, {}, 6},
                                                   {t::kMouseTripleClick, {}, 4},
                                                   {t::kMouseScrollUp, {}, 7},
                                                   {t::kMouseScrollDown, {}, 8}}};
constexpr std::array<FunctionItem, 8> kMultimediaItems{{{t::kMediaVolumeUp, {}, 6},
                                                        {t::kMediaVolumeDown, {}, 7},
                                                        {t::kMediaMute, {}, 8},
                                                        {t::kMediaPlayer, {}, 1},
                                                        {t::kMediaPlayPause, {}, 2},
                                                        {t::kMediaPrevious, {}, 4},
                                                        {t::kMediaNext, {}, 5},
                                                        {t::kMediaStop, {}, 3}}};
constexpr std::array<FunctionItem, 3> kDpiItems{{{t::kDpiCycle, {}, 3}, {0, "DPI +", 1}, {0, "DPI -", 2}}};
constexpr std::array<FunctionItem, 2> kSpecialItems{{{t::kSpecial1, {}, 1}, {t::kSpecial2, {}, 2}}};
constexpr std::array<FunctionItem, 11> kSystemItems{{{t::kSystemBrightnessUp, {}, 1},
                                                     {t::kSystemBrightnessDown, {}, 2},
                                                     {t::kSystemCalculator, {}, 3},
                                                     {t::kSystemComputer, {}, 4},
                                                     {t::kSystemBrowserHome, {}, 5},
                                                     {t::kSystemMail, {}, 6},
                                                     {t::kSystemShowDesktop, {}, 7},
                                                     {t::kSystemTaskView, {}, 8},
                                                     {t::kCopy, {}, 9},
                                                     {t::kCut, {}, 11},
                                                     {t::kPaste, {}, 10}}};

// Values that have a description text but no item on the page.
constexpr std::array<FunctionItem, 2> kMouseExtraTexts{{{t::kMouseFunction9, {}, 9}, {t::kMouseFunction10, {}, 10}}};
constexpr std::array<FunctionItem, 5> kSpecialTexts{{{t::kSpecial1, {}, 1},
                                                     {t::kSpecial3, {}, 3},
                                                     {t::kSpecial4, {}, 4},
                                                     {t::kSpecial5, {}, 5},
                                                     {t::kSpecial6, {}, 6}}};

// The text number describing a value: the type's offered items describe
// their values (mouse, multimedia, system); special functions have a table
// of their own in which value 2 keeps its stored text.
int DescriptionTextId(int type, int value) {
  const auto find = [value](std::span<const FunctionItem> items) {
    const auto it =
        std::find_if(items.begin(), items.end(), [value](const FunctionItem& i) { return i.value == value; });
    return it == items.end() ? 0 : it->text_id;
  };
  switch (type) {
    case kFunctionMouse: {
      const int offered = find(kMouseItems);
      return offered ? offered : find(kMouseExtraTexts);
    }
    case kFunctionMultimedia:
      return find(kMultimediaItems);
    case kFunctionSystem:
      return find(kSystemItems);
    case kFunctionSpecial:
      return find(kSpecialTexts);
    case kFunctionRepeat:
      return t::kRepeatDescription;
    case kFunctionDisabled:
      return t::kDisableButton;
    default:
      return 0;
  }
}

int Clamp(long long value, int low, int high) { return static_cast<int>(std::clamp<long long>(value, low, high)); }

}  // namespace

std::span<const FunctionItem> OfferedFunctions(int type) {
  switch (type) {
    case kFunctionMouse:
      return kMouseItems;
    case kFunctionMultimedia:
      return kMultimediaItems;
    case kFunctionDpi:
      return kDpiItems;
    case kFunctionSpecial:
      return kSpecialItems;
    case kFunctionSystem:
      return kSystemItems;
    default:
      return {};
  }
}

std::string FunctionItemText(const FunctionItem& item, const TextLookup& text) {
  return item.text_id ? text(item.text_id) : std::string(item.fixed_text);
}

int ClampRepeatFirst(long long value) { return Clamp(value, kRepeatFirstMin, kRepeatMax); }
int ClampRepeatSecond(long long value) { return Clamp(value, 0, kRepeatMax); }

std::string DisplayedDescription(const KeyAssignment& assignment, const TextLookup& text,
                                 const MacroNameDisplay& macro_name) {
  if (assignment.macro_type == kFunctionMacro) return macro_name(assignment.macro_desc);
  const int id = DescriptionTextId(assignment.macro_type, assignment.macro_value);
  return id ? text(id) : assignment.macro_desc;
}

}  // namespace korvane
