// The korvane desktop program: start-up, the Qt toolkit and the main window.
#include <QApplication>
#include <QCommandLineParser>
#include <QSocketNotifier>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/locale_lcid.hpp"
#include "app/startup.hpp"
#include "frontend/qt/dpi_rule.hpp"
#include "frontend/qt/main_window_setup.hpp"
#include "frontend/qt/pending_controller.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "ui/tray.hpp"

namespace {

struct CommandLine {
  korvane::AppContextOptions context;
  // "--hid", else KORVANE_HID: the HID transport the controller opens the
  // device link with ("sim:SOCKET" for a virtual mouse; unset for hidapi).
  std::optional<std::string> hid;
};

CommandLine ParseCommandLine(const QApplication& app) {
  QCommandLineParser parser;
  // "-hide" and "-autorun" are whole words, not bundles of one-letter options.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption resources("resources", "Folder with config.xml, device/, language/, skins/.", "dir");
  const QCommandLineOption data_dir("data-dir", "Per-user data folder.", "dir");
  const QCommandLineOption hid("hid", "HID transport, e.g. sim:SOCKET.", "transport");
  parser.addOptions(
      {resources, data_dir, hid, {"hide", "Start with the window hidden."}, {"autorun", "Started at login."}});
  parser.parse(app.arguments());

  CommandLine line;
  if (parser.isSet(resources)) line.context.resources = parser.value(resources).toStdString();
  if (parser.isSet(data_dir)) line.context.data_dir = parser.value(data_dir).toStdString();
  if (parser.isSet(hid)) {
    line.hid = parser.value(hid).toStdString();
  } else if (const char* variable = std::getenv("KORVANE_HID")) {
    line.hid = variable;
  }
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  korvane::qt::ApplyDpiRule(argv);

  const CommandLine line = ParseCommandLine(app);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  korvane::StartupOutcome start = korvane::RunStartupSteps(arguments, line.context, korvane::UserUiLanguage(),
                                                           korvane::SingleInstance::RuntimeFolder());
  if (start.exit_code) return *start.exit_code;
  korvane::AppContext& context = *start.context;

  korvane::qt::QtToolkit toolkit(korvane::qt::Skin(context.SkinFolder()), korvane::qt::TextLookupOf(context));
  korvane::qt::SetUpMainWindow(app, toolkit, context);

  // The seam of the main window controller: it replaces this handler (and
  // takes line.hid for the device link); it then receives every control
  // event and window message of the main window.
  korvane::qt::PendingController controller(toolkit, toolkit.Text());
  toolkit.SetHandler(korvane::ui::WindowId::kMain, &controller);

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
  return app.exec();
}
