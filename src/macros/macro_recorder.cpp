#include "macros/macro_recorder.hpp"

#include <algorithm>

namespace korvane {

void MacroRecorder::Start(EventList& list, DelayMode mode, int fixed_delay, std::int64_t now) {
  list_ = &list;
  mode_ = mode;
  fixed_delay_ = fixed_delay;
  last_event_ = 0;
  stamp_ = static_cast<int>(now);
}

int MacroRecorder::MeasuredDelay(std::int64_t now) {
  const std::int64_t last = last_event_;
  last_event_ = now;
  if (last == 0) return 0;
  return static_cast<int>(std::clamp<std::int64_t>(now - last, 0, kLongestDelay));
}

void MacroRecorder::AddDelay(int milliseconds) {
  if (milliseconds != 0) list_->push_back(DelayEvent(milliseconds, ++stamp_));
}

MacroRecorder::Outcome MacroRecorder::Record(bool press, int virtual_key, std::string_view name, std::int64_t now) {
  if (!Recording()) return Outcome::kLimitReached;
  if (mode_ == DelayMode::kMeasured) AddDelay(MeasuredDelay(now));
  if (mode_ == DelayMode::kFixed && !list_->empty()) AddDelay(fixed_delay_);
  if (Full()) {
    Stop(now);
    return Outcome::kLimitReached;
  }
  list_->push_back(KeyEvent(press, virtual_key, name, ++stamp_));
  if (Full()) {
    Stop(now);
    return Outcome::kLimitReached;
  }
  return Outcome::kRecorded;
}

void MacroRecorder::Stop(std::int64_t now) {
  if (!Recording()) return;
  if (mode_ == DelayMode::kMeasured) AddDelay(MeasuredDelay(now));
  if (mode_ == DelayMode::kFixed && !list_->empty()) AddDelay(fixed_delay_);
  list_ = nullptr;
}

}  // namespace korvane
