// The korvane desktop program: start-up, the Qt toolkit and the main window.
#include <QApplication>
#include <QCommandLineParser>
#include <QSocketNotifier>
#include <QThreadPool>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/autostart.hpp"
#include "app/desktop_options.hpp"
#include "app/device_main_dlg.hpp"
#include "app/hid_link.hpp"
#include "app/startup.hpp"
#include "common/text_ids.hpp"
#include "frontend/qt/desktop_notifier.hpp"
#include "frontend/qt/dpi_rule.hpp"
#include "frontend/qt/main_window_setup.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "language/locale_lcid.hpp"
#include "platform/application_id.hpp"
#include "platform/file_lock.hpp"
#include "ui/message_box.hpp"
#include "ui/tray.hpp"

namespace {

struct CommandLine {
  korvane::AppContextOptions context;
  // "--hid": the HID transport of the device link ("sim:SOCKET" for a
  // virtual mouse); unset leaves the choice to KORVANE_HID, else hidapi.
  std::optional<std::string> hid;
  // "--help": the options were printed; the program ends.
  bool help_shown = false;
};

CommandLine ParseCommandLine(const QApplication& app) {
  QCommandLineParser parser;
  // "-hide" and "-autorun" are whole words, not bundles of one-letter options.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(QString::fromUtf8(korvane::kDesktopSummary));
  for (const korvane::DesktopOption& option : korvane::kDesktopOptions) {
    parser.addOption(QCommandLineOption(QString::fromUtf8(option.name), QString::fromUtf8(option.help),
                                        QString::fromUtf8(option.value_name)));
  }
  parser.parse(app.arguments());

  CommandLine line;
  if (parser.isSet("help")) {
    std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
    line.help_shown = true;
  }
  if (parser.isSet("resources")) line.context.resources = parser.value("resources").toStdString();
  if (parser.isSet("data-dir")) line.context.data_dir = parser.value("data-dir").toStdString();
  if (parser.isSet("hid")) line.hid = parser.value("hid").toStdString();
  return line;
}

// The running program, as the autostart entry starts it.
std::string ProgramPath(const char* argv0) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(argv0) : self.string();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The desktop matches the windows and the notifications with the desktop
  // entry of this name.
  QGuiApplication::setDesktopFileName(QString::fromUtf8(korvane::kApplicationId));
  korvane::qt::ApplyDpiRule(argv);
  // Qt's pooled threads (started for font and image loading) would each
  // wake once to retire after 30 idle seconds; kept asleep they cost nothing.
  QThreadPool::globalInstance()->setExpiryTimeout(-1);

  const CommandLine line = ParseCommandLine(app);
  if (line.help_shown) return 0;
  std::string runtime_problem;
  const std::optional<std::filesystem::path> runtime_folder = korvane::SingleInstance::RuntimeFolder(runtime_problem);
  if (!runtime_folder) {
    std::fprintf(stderr, "korvane: %s\n", runtime_problem.c_str());
    return 1;
  }
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  korvane::StartupOutcome start =
      korvane::RunStartupSteps(arguments, line.context, korvane::UserUiLanguage(), *runtime_folder);
  if (start.exit_code) {
    if (!start.problem.empty()) std::fprintf(stderr, "korvane: %s\n", start.problem.c_str());
    return *start.exit_code;
  }
  korvane::AppContext& context = *start.context;

  korvane::qt::QtToolkit toolkit(korvane::qt::Skin(context.SkinFolder()), korvane::qt::TextLookupOf(context));
  korvane::qt::SetUpFirstView(app, toolkit, context);

  // The desktop program owns the mouse for its whole run; korvanectl waits.
  // A korvanectl command that holds it is waited for a while, then reported.
  korvane::FileLock device_lock(korvane::DeviceLockPath(*runtime_folder, context.Caption()));
  if (!device_lock.TryLock()) {
    std::fprintf(stderr, "korvane: another program is using the mouse; waiting for it\n");
    if (!device_lock.LockWithin(korvane::kDeviceLockWait)) {
      std::fprintf(stderr, "korvane: the device lock is still held by another program\n");
      const korvane::TextLookup text = context.Language().Lookup();
      korvane::ui::ShowMessageBox(toolkit, text, text(korvane::text_id::kMouseInUseTitle),
                                  text(korvane::text_id::kMouseInUse), korvane::ui::kMessageOk);
      return 1;
    }
  }

  if (const std::string problem = korvane::HidChoiceProblem(korvane::HidChoice(line.hid)); !problem.empty()) {
    std::fprintf(stderr, "korvane: %s\n", problem.c_str());
    return 2;
  }
  const korvane::HidLink link = korvane::OpenHidLink(line.hid);
  korvane::qt::DesktopNotifier notifier(QDBusConnection::sessionBus(), QString::fromStdString(context.Caption()));
  korvane::ControllerOptions options{korvane::DefaultAutostartFolder(), ProgramPath(argv[0])};
  options.notify = [&notifier](const korvane::DesktopNotice& notice) { notifier.Send(notice); };
  korvane::DeviceMainDlg controller(toolkit, context, *link.transport, link.hotplug, std::move(options));

  // A second start asks this instance to show its window.
  QSocketNotifier activation(start.instance->ActivationFd(), QSocketNotifier::Read);
  QObject::connect(&activation, &QSocketNotifier::activated, [&] {
    if (!start.instance->TakeActivationRequests()) return;
    toolkit.ShowWindow(korvane::ui::WindowId::kMain, korvane::ui::WindowState::kNormal);
    toolkit.RaiseWindow(korvane::ui::WindowId::kMain);
  });

  // The window is shown before the tray is asked for, which may take a while
  // on some desktops; a hidden start needs the tray first, since without
  // one the window is minimised instead.
  const std::string tooltip = korvane::ui::TrayTooltip(context.Caption());
  if (start.start_hidden) {
    toolkit.AddTrayIcon(tooltip);
    toolkit.ShowWindow(korvane::ui::WindowId::kMain, korvane::ui::WindowState::kHidden);
  } else {
    toolkit.ShowWindow(korvane::ui::WindowId::kMain, korvane::ui::WindowState::kNormal);
    toolkit.AddTrayIcon(tooltip);
  }
  // The pages the first view does not show are built once the event loop
  // runs, so the window appears without waiting for them; the controller
  // starts when every control exists.
  QTimer::singleShot(0, &app, [&] {
    korvane::qt::CompleteMainWindow(toolkit, context);
    controller.OnInitDialog();
  });
  const int exit_code = app.exec();
  if (!controller.Shutdown()) {
    // The worker is still inside an exchange with what this process would
    // destroy; the process ends without destroying anything.
    std::fflush(nullptr);
    std::_Exit(exit_code);
  }
  return exit_code;
}
