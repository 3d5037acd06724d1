#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/mouse_buttons.hpp"
#include "macros/macro_encoding.hpp"
#include "store/records.hpp"

namespace korvane {

// An event list as the macro page edits it: events in play order, each with
// its text (desc), type, value and time stamp (delay_time). record_index
// and macro_id are set when the list is stored.
using EventList = std::vector<MacroEvent>;

// The most events a recording takes, and the size from which inserting is
// refused.
inline constexpr std::size_t kRecordLimit = 30;
inline constexpr std::size_t kInsertLimit = 200;
// The delay the insert commands put between a press and its release.
inline constexpr int kInsertedDelay = 10;

// One event with its text: presses "↓  name", releases "↑  name", wheel
// steps the name alone, delays "N ms".
MacroEvent KeyEvent(bool press, int virtual_key, std::string_view name, int stamp);
MacroEvent MouseEvent(bool press, int bits, int stamp);
MacroEvent DelayEvent(int milliseconds, int stamp);

// The insert commands: after the item at `after` (appended without one).
// A key or a click is its press, a 10 ms delay, its release and (for a key)
// another 10 ms delay, the press and release sharing the time stamp; a delay alone goes before `after`. Each returns
// the index of the first inserted item.
std::size_t InsertKeyStroke(EventList& list, std::optional<std::size_t> after, int virtual_key, std::string_view name,
                            int stamp);
std::size_t InsertClick(EventList& list, std::optional<std::size_t> after, int bits, int stamp);
std::size_t InsertDelay(EventList& list, std::optional<std::size_t> at, int stamp);

// The move commands; each returns the moved item's new index.
std::size_t MoveUp(EventList& list, std::size_t index);
std::size_t MoveDown(EventList& list, std::size_t index);
std::size_t MoveToTop(EventList& list, std::size_t index);
std::size_t MoveToBottom(EventList& list, std::size_t index);

// The event editor. An event's name is its text without the arrow.
std::string_view EventName(const MacroEvent& event);
bool IsPress(const MacroEvent& event);
bool IsRelease(const MacroEvent& event);
// A new key for the events of this time stamp (a press and its release
// share one): presses become the key's press, releases its release.
void ReplaceKey(EventList& list, int stamp, int virtual_key, std::string_view name);
// The mouse actions the editor offers (item data), in its order.
enum class MouseAction {
  kLeft = 1,
  kMiddle = 2,
  kRight = 3,
  kForward = 5,
  kBackward = 6,
  kScrollUp = 7,
  kScrollDown = 8
};
inline constexpr MouseAction kMouseActions[] = {MouseAction::kLeft,      MouseAction::kMiddle,   MouseAction::kRight,
                                                MouseAction::kForward,   MouseAction::kBackward, MouseAction::kScrollUp,
                                                MouseAction::kScrollDown};
std::string_view MouseActionName(MouseAction action);
// The action an event shows in the editor; nullopt for keys and delays.
std::optional<MouseAction> MouseActionOf(const MacroEvent& event);
// A new mouse action for the events of this time stamp: a button's press
// and release, or a wheel step for both.
void ReplaceMouseAction(EventList& list, int stamp, MouseAction action);

// How many of the mouse's records the list encodes to (delays and wheel
// steps make none).
std::size_t EncodedRecords(const EventList& list);

}  // namespace korvane
