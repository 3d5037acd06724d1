#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <set>

namespace korvane::qt {

class X11KeyListener;

// The key source of a macro recording. Every key pressed or released in
// the program's windows is taken from them (so no button or field reacts
// to it) and reported; on an X11 desktop the keys typed into any window are
// heard through XInput2 raw events on the root window instead, which needs
// no privileges and is removed when the recording ends. A held key repeats
// nothing, and a key released that was not pressed since the recording
// began (the one that started it, say) is not reported.
class KeyRecorder final : public QObject {
  Q_OBJECT

 public:
  // press: true for a press; evdev_code: the key; name: the name the
  // keyboard layout gives it, empty when unknown.
  using Report = std::function<void(bool press, int evdev_code, const QString& name)>;

  explicit KeyRecorder(Report report);
  ~KeyRecorder() override;

  // Whether keys typed into other windows are heard too.
  bool WholeDesktop() const { return listener_ != nullptr; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Report report_;
  std::unique_ptr<X11KeyListener> listener_;
  std::set<int> held_;  // keys pressed since the recording began and not yet released

  void Deliver(bool press, int evdev_code, const QString& name);
};

}  // namespace korvane::qt
