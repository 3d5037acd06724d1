#include "command_line.hpp"

#include "cli_help.hpp"
#include "commands.hpp"

namespace korvane::cli {

CommandLine::CommandLine() {
  app.require_subcommand(0, 1);
  // Common options are accepted after the command name too.
  app.fallthrough();
  AddCommonOptions(app, options);
  app.add_flag("--version", show_version, "Print the product version from config.xml");
  app.footer(ExitCodeFooter());

  // In the order --help lists them; each command names its group.
  AddDevicesCommand(app, options, exit_code);
  AddConnectionCommands(app, options, exit_code);
  AddPerformanceCommands(app, options, exit_code);
  AddLightCommand(app, options, exit_code);
  AddButtonCommand(app, options, exit_code);
  AddProfileCommand(app, options, exit_code);
  AddMacroCommand(app, options, exit_code);
  AddCatalogCommand(app, options, exit_code);
  AddDbCommand(app, options, exit_code);
  AddUpdateCommands(app, options, exit_code);
  GroupNestedCommands(app);
}

}  // namespace korvane::cli
