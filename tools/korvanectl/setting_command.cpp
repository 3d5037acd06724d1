#include "setting_command.hpp"

#include <vector>

#include "cli_options.hpp"
#include "cli_session.hpp"
#include "common/colour.hpp"

namespace korvane::cli {

std::unique_ptr<CliSession> ConnectSession(const CliOptions& options) {
  std::string error;
  auto session = CliSession::Open(options, nullptr, error);
  if (!session) {
    PrintError(error);
    return nullptr;
  }
  session->Connect();
  return session;
}

int RunSettingCommand(const CliOptions& options, const SettingChange& change) {
  auto session = ConnectSession(options);
  if (!session) return 1;
  int result = 0;
  // A model whose receiver is there without its mouse still takes the
  // change: it is stored and sent when the mouse is back.
  if (session->Manager().GetConnectionMode() < 0) {
    PrintError("no mouse is reachable");
    result = 1;
  } else {
    // The change queues its tasks here, so they run one by one and each is
    // waited for.
    WakeSignal wake;
    TaskQueue tasks(wake);
    const SettingsTarget target{session->Store(), session->State(), tasks};
    const DpiLevels stored = LoadDpiLevels(session->Store(), session->State().current_profile);
    session->Dpi().count = stored.count;
    session->Dpi().index = stored.index;
    const std::uint64_t failures = session->Store().Failures();
    if (const auto refused = change(*session, target)) {
      PrintError(*refused);
      result = 1;
    }
    // A change the settings database did not take is not sent.
    if (session->Store().Failures() != failures) {
      PrintError("the settings database " + session->Store().Path() +
                 " did not take the change; nothing was sent to the mouse");
      tasks.Clear();
      result = 1;
    }
    std::optional<TaskCode> last;
    while (const auto code = tasks.Pop()) {
      if (code == last) continue;
      last = code;
      if (!session->Run(*code)) {
        PrintError(session->Store().Failures() != failures
                       ? "the settings database " + session->Store().Path() +
                             " could not be read; nothing was sent to the mouse"
                       : "the mouse did not take the change (task " + std::to_string(*code) +
                             "); it is stored and will be sent when the mouse is back");
        result = 1;
      }
    }
  }
  CliSession::Finish(std::move(session));
  return result;
}

std::optional<int> ColourArgument(const std::string& text) {
  return StrictColourFromText(text.starts_with('#') ? text : "#" + text);
}

}  // namespace korvane::cli
