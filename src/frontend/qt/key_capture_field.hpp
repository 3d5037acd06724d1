#pragma once

#include <QLineEdit>

namespace korvane::qt {

// The key field of the key combination panel. While it has the focus every
// key pressed (Tab and the modifiers included) is captured instead of typed:
// it reports the key's evdev code (the native scan code less 8 on X11 and
// Wayland) with the name the active keyboard layout gives it. The program
// sets the text it shows. Mouse buttons pressed on it are reported too.
class KeyCaptureField final : public QLineEdit {
  Q_OBJECT

 public:
  explicit KeyCaptureField(QWidget* parent = nullptr);

  // The name the layout gave a key, from the key event.
  static QString LayoutKeyName(const QKeyEvent& event);

 signals:
  void CaptureStarted();
  void CaptureEnded();
  void KeyPressed(int evdev_code, const QString& name);
  // A mouse button pressed on the field: 1 left, 2 right, 4 middle, 8 back,
  // 16 forward.
  void MouseButtonPressed(int bits);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace korvane::qt
