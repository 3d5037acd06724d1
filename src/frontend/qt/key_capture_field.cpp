#include "frontend/qt/key_capture_field.hpp"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>

#include "keys/evdev_keys.hpp"
#include "keys/mouse_buttons.hpp"

namespace korvane::qt {

KeyCaptureField::KeyCaptureField(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  setAlignment(Qt::AlignCenter);
  setContextMenuPolicy(Qt::NoContextMenu);
  setAttribute(Qt::WA_InputMethodEnabled, false);
}

QString KeyCaptureField::LayoutKeyName(const QKeyEvent& event) {
  const QString text = event.text();
  const bool printable = text.size() == 1 && text.at(0).isPrint() && !text.at(0).isSpace();
  if (event.modifiers() & Qt::KeypadModifier) {
    return printable ? QStringLiteral("Num ") + text : QKeySequence(event.key()).toString(QKeySequence::NativeText);
  }
  if (printable) return text.toUpper();
  return QKeySequence(event.key()).toString(QKeySequence::NativeText);
}

// Tab and Backtab would move the focus on; here they are keys like others.
bool KeyCaptureField::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    keyPressEvent(static_cast<QKeyEvent*>(event));
    return true;
  }
  return QLineEdit::event(event);
}

void KeyCaptureField::keyPressEvent(QKeyEvent* event) {
  event->accept();
  if (event->isAutoRepeat()) return;
  const int native = static_cast<int>(event->nativeScanCode());
  if (native <= 8) return;
  emit KeyPressed(EvdevFromNativeKeyCode(native), LayoutKeyName(*event));
}

void KeyCaptureField::keyReleaseEvent(QKeyEvent* event) { event->accept(); }

void KeyCaptureField::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  switch (event->button()) {
    case Qt::LeftButton:
      emit MouseButtonPressed(kLeftButtonBits);
      break;
    case Qt::RightButton:
      emit MouseButtonPressed(kRightButtonBits);
      break;
    case Qt::MiddleButton:
      emit MouseButtonPressed(kMiddleButtonBits);
      break;
    case Qt::BackButton:
      emit MouseButtonPressed(kBackButtonBits);
      break;
    case Qt::ForwardButton:
      emit MouseButtonPressed(kForwardButtonBits);
      break;
    default:
      break;
  }
}

void KeyCaptureField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  emit CaptureStarted();
}

void KeyCaptureField::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  emit CaptureEnded();
}

}  // namespace korvane::qt
