#include "frontend/qt/desktop_notifier.hpp"

#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

#include "platform/application_id.hpp"

namespace korvane::qt {

namespace {
// The notification's urgency hint: 1 normal, 2 critical.
constexpr unsigned char kNormal = 1;
constexpr unsigned char kCritical = 2;
// The service's default display time.
constexpr int kDefaultTimeout = -1;
}  // namespace

DesktopNotifier::DesktopNotifier(QDBusConnection bus, QString app_name)
    : bus_(std::move(bus)), app_name_(std::move(app_name)) {}

void DesktopNotifier::Send(const DesktopNotice& notice) {
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
      QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
  const QString id = QString::fromUtf8(kApplicationId);
  const QVariantMap hints{{QStringLiteral("desktop-entry"), id},
                          {QStringLiteral("urgency"), QVariant::fromValue(notice.critical ? kCritical : kNormal)}};
  call << app_name_ << 0u << id << QString::fromStdString(notice.title) << QString::fromStdString(notice.body)
       << QStringList() << hints << kDefaultTimeout;
  bus_.send(call);
}

}  // namespace korvane::qt
