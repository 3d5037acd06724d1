// The profile command: lists the profiles, switches the active one (which
// writes all its settings to the mouse) and renames one.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "cli_help.hpp"
#include "cli_json.hpp"
#include "cli_options.hpp"
#include "cli_session.hpp"
#include "commands.hpp"
#include "common/text.hpp"
#include "common/text_ids.hpp"
#include "files/profile_files.hpp"
#include "profiles/profile_list.hpp"
#include "profiles/profile_manager.hpp"
#include "setting_command.hpp"
#include "store/profile_table.hpp"
#include "ui/profile_dlg.hpp"
#include "worker/profile_switch.hpp"

namespace korvane::cli {

namespace {

// A profile's name as the profile list shows it.
std::string ShownName(CliSession& session, int profile) {
  std::string stored;
  GetProfileName(session.Store(), profile, stored);
  return ui::DisplayedProfileName(stored, session.Context().Language().GetText(text_id::kProfile));
}

ExitCode RunList(const CliOptions& options) {
  ExitCode code = ExitCode::kSuccess;
  auto session = ConnectSession(options, code);
  if (!session) return code;
  const std::string word = session->Context().Language().GetText(text_id::kProfile);
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (const ProfileSummary& profile : LoadProfileList(session->Store())) {
    const std::string name = ui::DisplayedProfileName(profile.stored_name, word);
    if (options.json) {
      out.push_back({{"profile", profile.number}, {"name", name}, {"active", profile.active}});
    } else {
      std::cout << (profile.active ? "* " : "  ") << profile.number << "  " << name << '\n';
    }
  }
  if (options.json) std::cout << JsonText(out, 2) << '\n';
  CliSession::Finish(std::move(session));
  return ExitCode::kSuccess;
}

ExitCode RunRename(const CliOptions& options, int profile, const std::string& name) {
  ExitCode result = ExitCode::kSuccess;
  auto session = ConnectSession(options, result);
  if (!session) return result;
  if (profile < 1 || profile > kProfileCount) {
    result = Fail("the profile must be 1 to " + std::to_string(kProfileCount));
  } else if (name.empty()) {
    result = Fail("the name must not be empty");
  } else if (!IsValidUtf8(name)) {
    result = Fail("the name is not valid UTF-8 text");
  } else if (!RenameProfile(session->Store(), profile, name)) {
    result = Fail({"the settings database " + session->Store().Path() + " did not take the name", ExitCode::kFile});
  } else {
    const std::string shown = ShownName(*session, profile);
    PrintConfirmation(options, Confirm("profile_name", "profile " + std::to_string(profile) + ": named " + shown,
                                       {{"profile", profile}, {"name", shown}}));
  }
  CliSession::Finish(std::move(session));
  return result;
}

ExitCode RunExport(const CliOptions& options, const std::string& file) {
  ExitCode result = ExitCode::kSuccess;
  auto session = ConnectSession(options, result);
  if (!session) return result;
  const int profile = session->State().current_profile;
  const bool written = ExportProfile(session->Store(), profile, ShownName(*session, profile), file);
  if (!written) result = Fail({file + ": cannot be written", ExitCode::kFile});
  CliSession::Finish(std::move(session));
  return result;
}

// Into the current profile, then everything is written to the mouse.
ExitCode RunImport(const CliOptions& options, const std::string& file) {
  return RunSettingCommand(
      options,
      [&file](CliSession& session, const SettingsTarget& target) -> Change {
        const std::string problem = ImportProfileFile(target.store, target.state.current_profile, file,
                                                      CurrentProfileRules(session.Model().Get(), target.state));
        if (!problem.empty()) return Failure(file + ": " + problem, ExitCode::kFile);
        target.queue.Push(kTaskWriteProfile);
        return std::nullopt;
      },
      [&file](CliSession& session) {
        const int profile = session.State().current_profile;
        const std::string name = ShownName(session, profile);
        return Confirm(
            "profile",
            "profile " + std::to_string(profile) + " (" + name + "): read from " + file + " and written to the mouse",
            {{"profile", profile}, {"name", name}, {"file", file}});
      });
}

}  // namespace

void AddProfileCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  auto* profile = app.add_subcommand("profile", "List the profiles, or make profile N the active one");
  profile->group(kProfilesGroup);
  SetExamples(*profile, {{"korvanectl profile", "the four profiles, the active one marked *"},
                         {"korvanectl profile 3", "profile 3 active, all its settings written to the mouse"}});
  profile->require_subcommand(0, 1);
  auto number = std::make_shared<int>(0);
  auto* number_option =
      profile->add_option("N", *number, "Profile to make active; all its settings are written to the mouse");
  auto* rename = profile->add_subcommand("rename", "Rename a profile");
  SetExamples(*rename, {{"korvanectl profile rename 3 Aim", "profile 3 named Aim"}});
  auto rename_number = std::make_shared<int>(0);
  auto name = std::make_shared<std::string>();
  rename->add_option("N", *rename_number, "Profile 1 to 4")->required();
  rename->add_option("NAME", *name, "New name")->required();
  rename->callback(
      [&options, &exit_code, rename_number, name] { exit_code = RunRename(options, *rename_number, *name); });
  auto export_file = std::make_shared<std::string>();
  auto* export_profile = profile->add_subcommand("export", "Write the current profile to a file");
  SetExamples(*export_profile, {{"korvanectl profile export gaming.xml", "the current profile to gaming.xml"}});
  export_profile->add_option("FILE", *export_file, "The file to write")->required();
  export_profile->callback([&options, &exit_code, export_file] { exit_code = RunExport(options, *export_file); });
  auto import_file = std::make_shared<std::string>();
  auto* import_profile = profile->add_subcommand(
      "import", "Read a profile file into the current profile (named after the file) and write it to the mouse");
  SetExamples(*import_profile,
              {{"korvanectl profile import gaming.xml", "into the current profile, named gaming, and to the mouse"}});
  import_profile->add_option("FILE", *import_file, "The file to read")->required();
  import_profile->callback([&options, &exit_code, import_file] { exit_code = RunImport(options, *import_file); });
  profile->callback([profile, number, number_option, &options, &exit_code] {
    if (!profile->get_subcommands().empty()) return;
    if (number_option->count() == 0) {
      exit_code = RunList(options);
      return;
    }
    exit_code = RunSettingCommand(
        options,
        [number](CliSession&, const SettingsTarget& target) -> Change {
          if (!SwitchProfile(target.store, target.state, target.queue, *number)) {
            return "the profile must be 1 to " + std::to_string(kProfileCount);
          }
          return std::nullopt;
        },
        [](CliSession& session) {
          const int profile = session.State().current_profile;
          const std::string name = ShownName(session, profile);
          return Confirm("active_profile", "active profile: " + std::to_string(profile) + " (" + name + ")",
                         {{"profile", profile}, {"name", name}});
        });
  });
}

}  // namespace korvane::cli
