#include "setting_command.hpp"

#include <iostream>
#include <vector>

#include "cli_json.hpp"
#include "cli_options.hpp"
#include "cli_session.hpp"
#include "common/colour.hpp"

namespace korvane::cli {

std::unique_ptr<CliSession> ConnectSession(const CliOptions& options, ExitCode& code, WorkerEvents* listener,
                                           bool use_connected) {
  std::optional<Failure> failure;
  auto session = CliSession::Open(options, listener, failure);
  if (!session) {
    code = Fail(*failure);
    return nullptr;
  }
  session->Connect(use_connected);
  return session;
}

Confirmation Confirm(const std::string& changed, std::string text, const nlohmann::ordered_json& fields) {
  nlohmann::ordered_json json{{"changed", changed}};
  for (const auto& [key, value] : fields.items()) json[key] = value;
  return {std::move(text), std::move(json)};
}

void PrintConfirmation(const CliOptions& options, const Confirmation& confirmation) {
  std::cout << (options.json ? JsonText(confirmation.json) : confirmation.text) << '\n';
}

ExitCode RunSettingCommand(const CliOptions& options, const SettingChange& change, const DescribeChange& describe) {
  ExitCode result = ExitCode::kSuccess;
  auto session = ConnectSession(options, result);
  if (!session) return result;
  // A model whose receiver is there without its mouse still takes the
  // change: it is stored and sent when the mouse is back.
  if (session->Manager().GetConnectionMode() < 0) {
    result = Fail({"no mouse is reachable", ExitCode::kNoMouse});
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
    const Change refused = change(*session, target);
    // A change the settings database did not take is not sent; that is the
    // reason, whatever the change said.
    if (session->Store().Failures() != failures) {
      result = Fail({"the settings database " + session->Store().Path() +
                         " did not take the change; nothing was sent to the mouse",
                     ExitCode::kFile});
      tasks.Clear();
    } else if (refused) {
      result = Fail(*refused);
    }
    std::optional<TaskCode> last;
    while (const auto code = tasks.Pop()) {
      if (code == last) continue;
      last = code;
      if (session->Run(*code)) continue;
      result = session->Store().Failures() != failures
                   ? Fail({"the settings database " + session->Store().Path() +
                               " could not be read; nothing was sent to the mouse",
                           ExitCode::kFile})
                   : Fail({"the mouse did not take the change (task " + std::to_string(*code) +
                               "); it is stored and will be sent when the mouse is back",
                           ExitCode::kMouse});
    }
    if (result == ExitCode::kSuccess && describe) PrintConfirmation(options, describe(*session));
  }
  CliSession::Finish(std::move(session));
  return result;
}

std::optional<int> ColourArgument(const std::string& text) {
  return StrictColourFromText(text.starts_with('#') ? text : "#" + text);
}

}  // namespace korvane::cli
