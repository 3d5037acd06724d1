#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>

namespace korvane {

// The main window's control events as a table: control id -> handler, and
// whether the handler takes every event code or only code 2 (click or
// commit). A control without an entry, or an event code its entry does not
// take, is not handled.
class ControlRouter final {
 public:
  // Returns whether the event was handled.
  using Handler = std::function<bool(int event, std::int64_t param)>;

  enum class Codes { kClickOnly, kEvery };

  // Adds (or replaces) the entries of the controls.
  void Add(std::initializer_list<int> controls, Codes codes, Handler handler);
  // Replaces the handler of a control, keeping which codes it takes; a
  // control without an entry gets one that takes code 2 only.
  void RouteTo(int control, Handler handler);

  bool Route(int control, int event, std::int64_t param) const;

 private:
  struct Entry {
    Codes codes = Codes::kClickOnly;
    Handler handler;
  };
  std::map<int, Entry> routes_;
};

}  // namespace korvane
