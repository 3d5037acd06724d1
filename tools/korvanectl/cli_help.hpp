#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace korvane::cli {

// The groups --help lists the commands under, in the order the commands are
// added.
inline constexpr const char* kDeviceGroup = "Device";
inline constexpr const char* kSettingsGroup = "Settings";
inline constexpr const char* kProfilesGroup = "Profiles and macros";
inline constexpr const char* kFilesGroup = "Catalog and settings database";
inline constexpr const char* kUpdatesGroup = "Updates";

// Commands below a command are listed under one heading, whichever group
// their parent is in (a command takes its parent's group when added).
void GroupNestedCommands(CLI::App& app);

// One way to run a command, and what it does.
struct Example {
  const char* command;  // "korvanectl rate 1000"
  const char* what;     // "1000 reports a second"
};

// Shows the examples below the command's --help, after what its footer
// already says, as lines a shell takes as they are ("korvanectl rate 1000
// # ..."); the manual page reads them back with ExamplesOf.
void SetExamples(CLI::App& command, std::initializer_list<Example> examples);
std::vector<std::pair<std::string, std::string>> ExamplesOf(const CLI::App& command);

}  // namespace korvane::cli
