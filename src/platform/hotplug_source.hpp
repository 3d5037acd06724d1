#pragma once

#include <functional>
#include <string>

namespace korvane {

// Arrival or removal of a HID interface. The path contains the text
// "VID_vvvv&PID_pppp&MI_nn" (upper-case hex, two-digit interface number), so
// the hot-plug logic can match it against the catalog without opening it.
struct HotplugEvent {
  bool arrival = true;
  std::string path;
};

// Where hot-plug events come from: a libudev monitor on the hidraw
// subsystem, or the virtual HID bus when a virtual mouse is plugged or
// unplugged. The listener is called on the source's own thread; it must only
// hand the event on (for example post it to the UI thread).
class HotplugSource {
 public:
  using Listener = std::function<void(const HotplugEvent&)>;
  virtual ~HotplugSource() = default;
  virtual void SetListener(Listener listener) = 0;
};

}  // namespace korvane
