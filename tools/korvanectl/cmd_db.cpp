#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_help.hpp"
#include "cli_json.hpp"
#include "cli_options.hpp"
#include "commands.hpp"
#include "platform/paths.hpp"
#include "store/config_store.hpp"
#include "store/config_table.hpp"
#include "store/device_database.hpp"
#include "store/profile_table.hpp"

namespace korvane::cli {

namespace {

using nlohmann::ordered_json;

ordered_json DatabaseJson(ConfigStore& store) {
  ordered_json out;
  out["path"] = store.Path();
  out["profiles"] = ordered_json::array();
  std::vector<ProfileRecord> profiles;
  ListProfiles(store, profiles);
  for (const ProfileRecord& profile : profiles) {
    out["profiles"].push_back({{"profile", profile.profile}, {"name", profile.name}, {"status", profile.status}});
  }
  out["config"] = ConfigJson(store, GetActiveProfile(store));
  return out;
}

void PrintDatabaseText(const ordered_json& out) {
  std::cout << "Database: " << out["path"].get<std::string>() << '\n';
  std::cout << "Profiles:" << (out["profiles"].empty() ? " none" : "") << '\n';
  for (const auto& profile : out["profiles"]) {
    std::cout << (profile["status"] == 1 ? "  * " : "    ") << profile["profile"] << "  "
              << profile["name"].get<std::string>() << '\n';
  }
  std::cout << "Configuration of the active profile:" << (out["config"].empty() ? " none" : "") << '\n';
  PrintKeys(out["config"], "    ");
}

ExitCode RunDb(const CliOptions& options, const std::string& model_attr) {
  const auto context = OpenContext(options);
  EnsureDirectory(context->DatabaseFolder());
  ConfigStore store;
  if (!OpenDeviceDatabase(store, context->DataFolder(), model_attr)) {
    return Fail({"cannot open the settings database " + store.Path(), ExitCode::kFile});
  }
  const ordered_json out = DatabaseJson(store);
  if (options.json) {
    std::cout << JsonText(out, 2) << '\n';
  } else {
    PrintDatabaseText(out);
  }
  return ExitCode::kSuccess;
}

}  // namespace

void AddDbCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  auto* command =
      app.add_subcommand("db", "Open or create a model's settings database and show its profiles and settings");
  command->group(kFilesGroup);
  SetExamples(*command, {{"korvanectl db --model korvane_slate", "the profiles and settings stored for the model"}});
  auto model_attr = std::make_shared<std::string>();
  command->add_option("--model", *model_attr, "The model's device_attr")->required();
  command->callback([&options, &exit_code, model_attr] { exit_code = RunDb(options, *model_attr); });
}

}  // namespace korvane::cli
