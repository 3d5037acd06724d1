#include "cli_options.hpp"

#include <CLI/CLI.hpp>
#include <iostream>
#include <vector>

#include "app/hid_link.hpp"
#include "language/locale_lcid.hpp"

namespace korvane::cli {

AppContextOptions CliOptions::ContextOptions() const {
  AppContextOptions context;
  context.resources = resources;
  context.data_dir = data_dir;
  return context;
}

void AddCommonOptions(CLI::App& app, CliOptions& options) {
  options.root = &app;
  app.add_option("--resources", options.resources, "Folder that holds config.xml, device/ and language/");
  app.add_option("--data-dir", options.data_dir, "Folder for the settings databases and downloads");
  app.add_option("--hid", options.hid,
                 "HID access: sim:SOCKET for a virtual mouse, or hidapi for the system's HID devices "
                 "(default: $KORVANE_HID, else hidapi)");
  app.add_flag("--json", options.json, "Print JSON instead of text");
}

std::string CommandName(const CliOptions& options) {
  std::string name = "korvanectl";
  for (const CLI::App* command = options.root; command;) {
    const std::vector<CLI::App*> given = command->get_subcommands();
    command = given.empty() ? nullptr : given.front();
    if (command) name += " " + command->get_name();
  }
  return name;
}

void PrintError(const std::string& text) { std::cerr << "korvanectl: " << text << '\n'; }

std::optional<Failure> HidFailure(const CliOptions& options) {
  const std::string choice = HidChoice(options.hid);
  const std::string problem = HidChoiceProblem(choice);
  if (problem.empty()) return std::nullopt;
  return Failure(problem, IsVirtualMouseChoice(choice) ? ExitCode::kNoMouse : ExitCode::kUsage);
}

std::unique_ptr<AppContext> OpenContext(const CliOptions& options) {
  auto context = std::make_unique<AppContext>(options.ContextOptions());
  context->Language().ChooseStartupLanguage(UserUiLanguage());
  return context;
}

}  // namespace korvane::cli
