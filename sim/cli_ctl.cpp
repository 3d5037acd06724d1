#include <CLI/CLI.hpp>
#include <iostream>

#include "sim/cli_commands.hpp"
#include "sim/socket_client.hpp"

namespace korvane::sim::cli {

void AddCtlCommand(CLI::App& app, CtlOptions& options) {
  CLI::App* ctl = app.add_subcommand("ctl", "Send a control command to a serving virtual mouse");
  ctl->add_option("--socket", options.socket, "Socket of the server")->required();
  ctl->add_option("--device", options.device, "Only the device of this name (wired, receiver); default: all");
  ctl->add_option("command", options.command,
                  "link | unlink | plug | unplug | dpi-button COUNT INDEX | battery A B | nak N [MS] | drop N | "
                  "delay MS | interject N | unplug-mid-write | state")
      ->required();
}

int RunCtl(const CtlOptions& options) {
  std::string error;
  const std::optional<ControlResult> result = SendControl(options.socket, options.device, options.command, &error);
  if (!result) {
    std::cerr << "korvane-virtual-mouse: " << error << '\n';
    return 1;
  }
  if (!result->ok) {
    std::cerr << "korvane-virtual-mouse: " << result->text << '\n';
    return 1;
  }
  std::cout << result->text << '\n';
  return 0;
}

}  // namespace korvane::sim::cli
