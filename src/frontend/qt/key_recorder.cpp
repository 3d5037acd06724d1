#include "frontend/qt/key_recorder.hpp"

#include <QCoreApplication>
#include <QKeyEvent>

#include "frontend/qt/key_capture_field.hpp"
#include "frontend/qt/x11_key_listener.hpp"
#include "keys/evdev_keys.hpp"

namespace korvane::qt {

KeyRecorder::KeyRecorder(Report report) : report_(std::move(report)) {
  listener_ = X11KeyListener::Create([this](bool press, int evdev) { Deliver(press, evdev, QString()); });
  QCoreApplication::instance()->installEventFilter(this);
}

KeyRecorder::~KeyRecorder() { QCoreApplication::instance()->removeEventFilter(this); }

// Keys typed into the program's windows are the recording's, not the
// controls': they are taken here. Without the desktop-wide listener they
// are also what is recorded.
bool KeyRecorder::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
    return QObject::eventFilter(watched, event);
  }
  if (!watched->isWidgetType()) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const int native = static_cast<int>(key->nativeScanCode());
  if (listener_ == nullptr && native > 8) {
    Deliver(event->type() == QEvent::KeyPress, EvdevFromNativeKeyCode(native), KeyCaptureField::LayoutKeyName(*key));
  }
  return true;
}

void KeyRecorder::Deliver(bool press, int evdev_code, const QString& name) {
  const bool reported = press ? held_.insert(evdev_code).second : held_.erase(evdev_code) > 0;
  if (reported) report_(press, evdev_code, name);
}

}  // namespace korvane::qt
