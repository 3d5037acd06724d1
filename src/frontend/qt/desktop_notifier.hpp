#pragma once

#include <QDBusConnection>
#include <QString>

#include "app/battery_notices.hpp"

namespace korvane::qt {

// Sends notices to the desktop's notification service (the freedesktop
// org.freedesktop.Notifications interface) over D-Bus, with the
// application's icon and desktop entry. It does not wait for the service's
// answer, so a desktop without one costs nothing and shows nothing.
class DesktopNotifier final {
 public:
  // bus: the session bus, or in tests a bus of their own.
  DesktopNotifier(QDBusConnection bus, QString app_name);

  void Send(const DesktopNotice& notice);

 private:
  QDBusConnection bus_;
  QString app_name_;
};

}  // namespace korvane::qt
