#pragma once

#include <cstdint>
#include <string_view>

#include "macros/macro_events.hpp"

namespace korvane {

// How a recording puts delays between its events (the macro's delay_type).
enum class DelayMode { kNone = 0, kMeasured = 1, kFixed = 2 };

// Records key events onto an event list. Time is passed in (milliseconds of
// any steady clock), so the delay rules do not depend on a real clock.
class MacroRecorder final {
 public:
  // Measured delays longer than this are cut to it.
  static constexpr int kLongestDelay = 31000;

  enum class Outcome {
    kRecorded,      // the event (and the delay before it) was added
    kLimitReached,  // the list is full: the recording has stopped
  };

  bool Recording() const { return list_ != nullptr; }

  // Starts recording onto list, which keeps what it holds. fixed_delay is
  // used in kFixed mode.
  void Start(EventList& list, DelayMode mode, int fixed_delay, std::int64_t now);

  // A key pressed or released: first the delay before it (measured: the
  // time since the last event, none before the first; fixed: the fixed
  // delay, none before the list's first event), then the event. The list's
  // limit stops the recording, before the event when the delay filled it.
  Outcome Record(bool press, int virtual_key, std::string_view name, std::int64_t now);

  // Stops, adding the closing delay: the time since the last event
  // (measured), or the fixed delay when the list has events (fixed).
  void Stop(std::int64_t now);

 private:
  EventList* list_ = nullptr;
  DelayMode mode_ = DelayMode::kNone;
  int fixed_delay_ = 0;
  std::int64_t last_event_ = 0;  // 0 until the first event
  int stamp_ = 0;

  // The measured delay since the last event (0 before the first), which
  // becomes now.
  int MeasuredDelay(std::int64_t now);
  void AddDelay(int milliseconds);
  bool Full() const { return list_->size() >= kRecordLimit; }
};

}  // namespace korvane
