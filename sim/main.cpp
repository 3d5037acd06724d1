#include <CLI/CLI.hpp>

#include "sim/cli_commands.hpp"

int main(int argc, char** argv) {
  using namespace korvane::sim::cli;
  CLI::App app{"A virtual Korvane mouse: the device side of the configuration protocol on a Unix socket."};
  app.require_subcommand(1);
  ServeOptions serve;
  CtlOptions ctl;
  AddServeCommand(app, serve);
  AddCtlCommand(app, ctl);
  CLI11_PARSE(app, argc, argv);
  return app.got_subcommand("serve") ? RunServe(serve) : RunCtl(ctl);
}
