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
                              MouseEvent(false, bits, stamp)};
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

std::string_view EventName(const MacroEvent& event) {
  std::string_view name = event.desc;
  for (const std::string_view arrow : {kPressArrow, kReleaseArrow}) {
    if (name.starts_with(arrow)) return name.substr(arrow.size());
  }
  return name;
}

bool IsPress(const MacroEvent& event) { return event.type == kEventKeyDown || event.type == kEventMouseDown; }
bool IsRelease(const MacroEvent& event) { return event.type == kEventKeyUp || event.type == kEventMouseUp; }

void ReplaceKey(EventList& list, int stamp, int virtual_key, std::string_view name) {
  for (MacroEvent& event : list) {
    if (event.delay_time != stamp || !(IsPress(event) || IsRelease(event))) continue;
    event = KeyEvent(IsPress(event), virtual_key, name, stamp);
  }
}

namespace {

struct MouseActionRow {
  MouseAction action;
  std::string_view name;
  int bits;  // 0 for the wheel
};

constexpr MouseActionRow kMouseActionRows[] = {
    {MouseAction::kLeft, "LB", kLeftButtonBits},           {MouseAction::kMiddle, "MB", kMiddleButtonBits},
    {MouseAction::kRight, "RB", kRightButtonBits},         {MouseAction::kForward, "Forward", kForwardButtonBits},
    {MouseAction::kBackward, "Backward", kBackButtonBits}, {MouseAction::kScrollUp, "Scroll Up", 0},
    {MouseAction::kScrollDown, "Scroll Down", 0},
};

const MouseActionRow& RowOf(MouseAction action) {
  for (const MouseActionRow& row : kMouseActionRows) {
    if (row.action == action) return row;
  }
  return kMouseActionRows[0];
}

}  // namespace

std::string_view MouseActionName(MouseAction action) { return RowOf(action).name; }

std::optional<MouseAction> MouseActionOf(const MacroEvent& event) {
  if (event.type == kEventWheelUp) return MouseAction::kScrollUp;
  if (event.type == kEventWheelDown) return MouseAction::kScrollDown;
  if (event.type != kEventMouseDown && event.type != kEventMouseUp) return std::nullopt;
  for (const MouseActionRow& row : kMouseActionRows) {
    if (row.bits != 0 && row.bits == event.value) return row.action;
  }
  return std::nullopt;
}

// A wheel step is stored as the wheel event it is: the mouse plays no wheel
// steps, and a button's press or release must never stand for one.
void ReplaceMouseAction(EventList& list, int stamp, MouseAction action) {
  const MouseActionRow& row = RowOf(action);
  bool pressed = false;  // a wheel pair turns back into a press, then a release
  for (MacroEvent& event : list) {
    const bool wheel = event.type == kEventWheelUp || event.type == kEventWheelDown;
    if (event.delay_time != stamp || !(IsPress(event) || IsRelease(event) || wheel)) continue;
    const bool press = IsPress(event) || (wheel && !pressed);
    pressed = pressed || press;
    if (row.bits != 0) {
      event = MouseEvent(press, row.bits, stamp);
    } else {
      event.type = action == MouseAction::kScrollUp ? kEventWheelUp : kEventWheelDown;
      event.value = 0;
      event.desc = std::string(row.name);
    }
  }
}

std::size_t EncodedRecords(const EventList& list) { return EncodeMacroEvents(list).size() / kMacroRecordSize; }

}  // namespace korvane
