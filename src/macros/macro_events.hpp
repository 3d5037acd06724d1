#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Mouse buttons as event values.
inline constexpr int kLeftButtonBits = 1;
inline constexpr int kRightButtonBits = 2;
inline constexpr int kMiddleButtonBits = 4;
inline constexpr int kBackButtonBits = 8;
inline constexpr int kForwardButtonBits = 16;

// The name an event list shows for a mouse button ("LB", "Forward" ...).
std::string_view MouseButtonName(int bits);

// One event with its text: presses "↓  name", releases "↑  name", wheel
// steps the name alone, delays "N ms".
MacroEvent KeyEvent(bool press, int virtual_key, std::string_view name, int stamp);
MacroEvent MouseEvent(bool press, int bits, int stamp);
MacroEvent DelayEvent(int milliseconds, int stamp);

// The insert commands: after the item at `after` (appended without one).
// A key or a click is its press, a 10 ms delay, its release and (for a key)
// another 10 ms delay; a delay alone goes before `after`. Each returns the
// index of the first inserted item.
std::size_t InsertKeyStroke(EventList& list, std::optional<std::size_t> after, int virtual_key, std::string_view name,
                            int stamp);
std::size_t InsertClick(EventList& list, std::optional<std::size_t> after, int bits, int stamp);
std::size_t InsertDelay(EventList& list, std::optional<std::size_t> at, int stamp);

// The move commands; each returns the moved item's new index.
std::size_t MoveUp(EventList& list, std::size_t index);
std::size_t MoveDown(EventList& list, std::size_t index);
std::size_t MoveToTop(EventList& list, std::size_t index);
std::size_t MoveToBottom(EventList& list, std::size_t index);

// How many of the mouse's records the list encodes to (delays and wheel
// steps make none).
std::size_t EncodedRecords(const EventList& list);

}  // namespace korvane
