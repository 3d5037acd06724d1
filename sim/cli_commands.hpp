#pragma once

#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace korvane::sim::cli {

struct ServeOptions {
  std::string socket;
  std::string preset = "wired";
  std::optional<std::string> model;
  std::optional<int> sensor;
  std::optional<std::string> rate_cap;
  std::optional<std::string> dev_id;
  std::vector<int> battery;
  std::optional<std::string> state_file;
  std::optional<std::string> resources;
};

struct CtlOptions {
  std::string socket;
  std::string device;  // empty: every device
  std::vector<std::string> command;
};

void AddServeCommand(CLI::App& app, ServeOptions& options);
void AddCtlCommand(CLI::App& app, CtlOptions& options);

// Exit codes: 0 success, 1 failure (reported on standard error).
int RunServe(const ServeOptions& options);
int RunCtl(const CtlOptions& options);

}  // namespace korvane::sim::cli
