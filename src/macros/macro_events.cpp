#include "macros/macro_events.hpp"

#include <algorithm>
#include <iterator>

namespace korvane {

namespace {

constexpr std::string_view kPressArrow = "↓  ";
constexpr std::string_view kReleaseArrow = "↑  ";

std::size_t Position(const EventList& list, std::optional<std::size_t> after) {
  return after && *after < list.size() ? *after + 1 : list.size();
}

}  // namespace

std::string_view MouseButtonName(int bits) {
  switch (bits) {
    case kLeftButtonBits:
      return "LB";
    case kRightButtonBits:
      return "RB";
    case kMiddleButtonBits:
      return "MB";
    case kBackButtonBits:
      return "Backward";
    case kForwardButtonBits:
      return "Forward";
    default:
      return "";
  }
}

MacroEvent KeyEvent(bool press, int virtual_key, std::string_view name, int stamp) {
  return {.type = press ? kEventKeyDown : kEventKeyUp,
          .value = virtual_key,
          .delay_time = stamp,
          .desc = std::string(press ? kPressArrow : kReleaseArrow) + std::string(name)};
}

MacroEvent MouseEvent(bool press, int bits, int stamp) {
  return {.type = press ? kEventMouseDown : kEventMouseUp,
          .value = bits,
          .delay_time = stamp,
          .desc = std::string(press ? kPressArrow : kReleaseArrow) + std::string(MouseButtonName(bits))};
}

MacroEvent DelayEvent(int milliseconds, int stamp) {
  return {
      .type = kEventDelay, .value = milliseconds, .delay_time = stamp, .desc = std::to_string(milliseconds) + " ms"};
}

std::size_t InsertKeyStroke(EventList& list, std::optional<std::size_t> after, int virtual_key, std::string_view name,
                            int stamp) {
  const std::size_t at = Position(list, after);
  const MacroEvent stroke[] = {KeyEvent(true, virtual_key, name, stamp), DelayEvent(kInsertedDelay, stamp + 1),
                               KeyEvent(false, virtual_key, name, stamp), DelayEvent(kInsertedDelay, stamp + 2)};
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), std::begin(stroke), std::end(stroke));
  return at;
}

std::size_t InsertClick(EventList& list, std::optional<std::size_t> after, int bits, int stamp) {
  const std::size_t at = Position(list, after);
  const MacroEvent click[] = {MouseEvent(true, bits, stamp), DelayEvent(kInsertedDelay, stamp + 1),
                              MouseEvent(false, bits, stamp + 2)};
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), std::begin(click), std::end(click));
  return at;
}

std::size_t InsertDelay(EventList& list, std::optional<std::size_t> at, int stamp) {
  const std::size_t index = at && *at < list.size() ? *at : list.size();
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(index), DelayEvent(kInsertedDelay, stamp));
  return index;
}

std::size_t MoveUp(EventList& list, std::size_t index) {
  if (index == 0 || index >= list.size()) return index;
  std::swap(list[index - 1], list[index]);
  return index - 1;
}

std::size_t MoveDown(EventList& list, std::size_t index) {
  if (index + 1 >= list.size()) return index;
  std::swap(list[index], list[index + 1]);
  return index + 1;
}

std::size_t MoveToTop(EventList& list, std::size_t index) {
  if (index == 0 || index >= list.size()) return index;
  std::rotate(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(index),
              list.begin() + static_cast<std::ptrdiff_t>(index) + 1);
  return 0;
}

std::size_t MoveToBottom(EventList& list, std::size_t index) {
  if (index + 1 >= list.size()) return index;
  std::rotate(list.begin() + static_cast<std::ptrdiff_t>(index), list.begin() + static_cast<std::ptrdiff_t>(index) + 1,
              list.end());
  return list.size() - 1;
}

std::size_t EncodedRecords(const EventList& list) { return EncodeMacroEvents(list).size() / kMacroRecordSize; }

}  // namespace korvane
