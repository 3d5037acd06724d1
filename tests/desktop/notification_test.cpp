#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>
#include <vector>

#include "app/battery_notices.hpp"
#include "frontend/qt/desktop_notifier.hpp"
#include "platform/application_id.hpp"
#include "support/fake_toolkit.hpp"
#include "support/temp_dir.hpp"

namespace korvane {
namespace {

struct Notification {
  QString app_name;
  uint replaces_id = 0;
  QString app_icon;
  QString summary;
  QString body;
  QStringList actions;
  QVariantMap hints;
  int timeout = 0;
};

// The notification service's side, as a desktop offers it: it owns
// org.freedesktop.Notifications on the bus and records every Notify call.
class NotificationListener final : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

 public:
  std::vector<Notification> calls;

 public slots:
  uint Notify(const QString& app_name, uint replaces_id, const QString& app_icon, const QString& summary,
              const QString& body, const QStringList& actions, const QVariantMap& hints, int timeout) {
    calls.push_back({app_name, replaces_id, app_icon, summary, body, actions, hints, timeout});
    return static_cast<uint>(calls.size());
  }
};

// A session bus of the test's own (dbus-daemon --session on a socket in a
// temporary folder, with a temporary home), the listener on it, and a second
// connection for the program's side.
class NotificationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString home = QString::fromStdString(folder.path().string());
    environment.insert("HOME", home);
    environment.insert("XDG_DATA_HOME", home + "/data");
    environment.insert("XDG_RUNTIME_DIR", home);
    daemon.setProcessEnvironment(environment);
    daemon.start("dbus-daemon",
                 {"--session", "--nofork", "--nopidfile", "--address=unix:dir=" + home, "--print-address=1"});
    ASSERT_TRUE(daemon.waitForStarted(5000)) << "dbus-daemon did not start";
    ASSERT_TRUE(daemon.waitForReadyRead(5000)) << "dbus-daemon printed no address";
    address = QString::fromUtf8(daemon.readLine()).trimmed();

    QDBusConnection service = QDBusConnection::connectToBus(address, "service");
    ASSERT_TRUE(service.isConnected()) << service.lastError().message().toStdString();
    ASSERT_TRUE(service.registerObject("/org/freedesktop/Notifications", &listener, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(service.registerService("org.freedesktop.Notifications"));
  }

  void TearDown() override {
    QDBusConnection::disconnectFromBus("service");
    QDBusConnection::disconnectFromBus("program");
    daemon.kill();
    daemon.waitForFinished(5000);
  }

  QDBusConnection ProgramBus() { return QDBusConnection::connectToBus(address, "program"); }

  // Runs the event loop until the listener holds count calls or 5 s passed.
  bool WaitForCalls(std::size_t count) {
    const QDeadlineTimer deadline(5000);
    while (listener.calls.size() < count && !deadline.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return listener.calls.size() >= count;
  }

  test::TempDir folder;
  QProcess daemon;
  QString address;
  NotificationListener listener;
};

TEST_F(NotificationTest, NoticeReachesTheServiceWithTheApplicationsIconAndEntry) {
  qt::DesktopNotifier notifier(ProgramBus(), "Korvane Center");
  notifier.Send({"Mouse battery low", "Battery charge: 4 %", true});
  ASSERT_TRUE(WaitForCalls(1));

  const Notification& call = listener.calls.front();
  EXPECT_EQ(call.app_name, "Korvane Center");
  EXPECT_EQ(call.replaces_id, 0u);
  EXPECT_EQ(call.app_icon, kApplicationId);
  EXPECT_EQ(call.summary, "Mouse battery low");
  EXPECT_EQ(call.body, "Battery charge: 4 %");
  EXPECT_TRUE(call.actions.isEmpty());
  EXPECT_EQ(call.hints.value("desktop-entry").toString(), kApplicationId);
  EXPECT_EQ(call.hints.value("urgency").toInt(), 2);
  EXPECT_EQ(call.timeout, -1);
  std::printf("recorded Notify(\"%s\", %u, \"%s\", \"%s\", \"%s\", [], {desktop-entry: %s, urgency: %d}, %d)\n",
              qPrintable(call.app_name), call.replaces_id, qPrintable(call.app_icon), qPrintable(call.summary),
              qPrintable(call.body), qPrintable(call.hints.value("desktop-entry").toString()),
              call.hints.value("urgency").toInt(), call.timeout);
}

// A discharge with a wobble and a recharge, from the battery values to the
// calls the service receives.
TEST_F(NotificationTest, BatterySeriesSendsOneNoticePerLevelCrossed) {
  qt::DesktopNotifier notifier(ProgramBus(), "Korvane Center");
  test::FakeToolkit toolkit;
  AppSettings settings(folder.path());
  BatteryNotices notices(
      toolkit, settings, [](int id) { return id == 761 ? "Battery low" : "Charge"; },
      [&notifier](const DesktopNotice& notice) { notifier.Send(notice); });
  for (const int charge : {35, 21, 19, 20, 19, 12, 9, 9, 4, 60, 19}) notices.OnBattery(charge);
  ASSERT_TRUE(WaitForCalls(4));
  // Anything sent after the fourth call would have arrived by now too.
  QCoreApplication::processEvents(QEventLoop::AllEvents, 200);

  std::vector<QString> bodies;
  std::vector<int> urgencies;
  for (const Notification& call : listener.calls) {
    bodies.push_back(call.body);
    urgencies.push_back(call.hints.value("urgency").toInt());
  }
  EXPECT_EQ(bodies, (std::vector<QString>{"Charge: 19 %", "Charge: 9 %", "Charge: 4 %", "Charge: 19 %"}));
  EXPECT_EQ(urgencies, (std::vector<int>{1, 1, 2, 1}));
}

}  // namespace
}  // namespace korvane

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

#include "notification_test.moc"
