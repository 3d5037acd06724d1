#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;
struct xcb_connection_t;

namespace korvane::qt {

// Raw key events of every keyboard of an X11 display, on a connection of
// its own: the program's windows need not have the focus. A held key's
// repeats come as presses. Create returns
// nullptr when the display is no X11 display or lacks XInput 2.
class X11KeyListener final : public QObject {
  Q_OBJECT

 public:
  using Report = std::function<void(bool press, int evdev_code)>;

  static std::unique_ptr<X11KeyListener> Create(Report report);
  ~X11KeyListener() override;

 private:
  X11KeyListener(xcb_connection_t* connection, int opcode, Report report);
  void ReadEvents();

  xcb_connection_t* connection_;
  int opcode_;  // the XInput extension's major opcode
  Report report_;
  QSocketNotifier* notifier_;
};

}  // namespace korvane::qt
