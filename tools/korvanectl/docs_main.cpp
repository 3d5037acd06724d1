// Writes korvanectl's manual page and its bash completion from the same
// command line the program parses with:
//   korvanectl-docs VERSION MANPAGE COMPLETION
#include <algorithm>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli_help.hpp"
#include "command_line.hpp"
#include "common/man_page.hpp"
#include "exit_codes.hpp"

namespace {

using namespace korvane;

bool IsHelp(const CLI::Option* option) { return option->check_lname("help"); }

// "--name, -n" for an option; its value's type name as the argument.
ManEntry OptionEntry(const CLI::Option* option, bool nested) {
  ManEntry entry;
  for (const std::string& name : option->get_snames()) entry.term += (entry.term.empty() ? "-" : ", -") + name;
  for (const std::string& name : option->get_lnames()) entry.term += (entry.term.empty() ? "--" : ", --") + name;
  if (option->get_expected_max() > 0 && option->get_type_size_max() > 0) entry.argument = option->get_type_name();
  entry.text = option->get_description();
  entry.nested = nested;
  return entry;
}

// The positional arguments of a command, as its synopsis shows them.
std::string Positionals(const CLI::App* command) {
  std::string out;
  for (const CLI::Option* option : command->get_options()) {
    if (option->nonpositional()) continue;
    const std::string name = option->get_name(true);
    out += (out.empty() ? "" : " ") + (option->get_required() ? name : "[" + name + "]");
  }
  return out;
}

// A command with its arguments, its own options, its examples, then its
// commands.
void AddCommand(const CLI::App* command, const std::string& prefix, std::vector<ManEntry>& entries);

void AddCommands(const CLI::App* parent, const std::string& prefix, std::vector<ManEntry>& entries) {
  for (const CLI::App* command : parent->get_subcommands({})) AddCommand(command, prefix, entries);
}

void AddCommand(const CLI::App* command, const std::string& prefix, std::vector<ManEntry>& entries) {
  {
    const std::string path = prefix + command->get_name();
    entries.push_back({path, Positionals(command), command->get_description(), false});
    for (const CLI::Option* option : command->get_options()) {
      if (option->get_positional() || IsHelp(option)) continue;
      entries.push_back(OptionEntry(option, true));
    }
    for (const CLI::Option* option : command->get_options()) {
      if (option->nonpositional() || option->get_description().empty()) continue;
      ManEntry argument{option->get_name(true), "", option->get_description(), true};
      entries.push_back(argument);
    }
    for (const auto& [example, what] : cli::ExamplesOf(*command)) entries.push_back({example, "", what, true});
    AddCommands(command, path + " ", entries);
  }
}

ManPage Page(const CLI::App& app, const std::string& version) {
  ManPage page;
  page.name = "korvanectl";
  page.version = version;
  page.summary = "configure Korvane gaming mice from the command line";
  page.synopsis = "[OPTIONS] [COMMAND [ARGUMENTS...] [OPTIONS]]";
  ManSection description{"Description",
                         app.get_description() +
                             "\n\nkorvanectl reads and changes the same settings as the desktop application "
                             "korvane: it connects to the mouse, changes the current profile and returns once the "
                             "mouse has the change. A value the mouse or the model does not take, or no "
                             "reachable mouse, ends with a non-zero exit status (see Exit status) and one line on "
                             "standard error saying why. A setting command says in one line what it changed (with "
                             "--json, one JSON object).\n\n"
                             "The commands that talk to the mouse use the stored model; when it is not connected, "
                             "or none is stored, they use the supported mouse that is connected and say which on "
                             "standard error. Commands take turns at the mouse: one that finds it held waits up to "
                             "10 seconds, saying for whom, then gives up. korvanectl watch steps aside for a "
                             "command that waits and comes back when it has finished.",
                         {}};
  ManSection options{"Options", "Common options are accepted before and after the command name.", {}};
  for (const CLI::Option* option : app.get_options()) options.entries.push_back(OptionEntry(option, false));
  // One section per group, in the order --help lists them.
  std::vector<ManSection> commands;
  for (const CLI::App* command : app.get_subcommands({})) {
    const std::string title = "Commands: " + command->get_group();
    auto section = std::find_if(commands.begin(), commands.end(),
                                [&title](const ManSection& listed) { return listed.title == title; });
    if (section == commands.end()) section = commands.insert(commands.end(), ManSection{title, "", {}});
    AddCommand(command, "", section->entries);
  }
  ManSection exit_status{"Exit status", "", {}};
  for (const cli::ExitCodeMeaning& meaning : cli::kExitCodeMeanings) {
    exit_status.entries.push_back({std::to_string(static_cast<int>(meaning.code)), "", meaning.meaning, false});
  }
  ManSection environment{
      "Environment",
      "",
      {{"KORVANE_HID", "", "The default of --hid: sim:SOCKET talks to a korvane-virtual-mouse.", false},
       {"KORVANE_LOG", "", "debug prints every report written and read, in hex, on standard error.", false},
       {"XDG_DATA_HOME", "", "Below it, \"Korvane Center Files\" holds the settings databases.", false},
       {"XDG_CONFIG_HOME", "", "Below it, \"Korvane Center\" holds the application settings.", false}}};
  ManSection files{"Files",
                   "",
                   {{"../share/korvane/", "",
                     "Beside the program's folder: config.xml, the model definitions, the language files and the "
                     "skins, unless --resources names another folder.",
                     false}}};
  ManSection see_also{"See also", "korvane(1), korvane-virtual-mouse --help", {}};
  page.sections = {description, options};
  page.sections.insert(page.sections.end(), commands.begin(), commands.end());
  page.sections.insert(page.sections.end(), {exit_status, environment, files, see_also});
  return page;
}

// A bash function that completes command names, then the options of the
// command typed so far; after an option that takes a value it offers file
// names.
std::string Completion(const CLI::App& app) {
  struct Level {
    std::string path;
    std::vector<std::string> words;
  };
  std::vector<Level> levels;
  std::set<std::string> valued;
  const auto walk = [&](const auto& self, const CLI::App* command, const std::string& path) -> void {
    Level level{path, {}};
    for (const CLI::App* sub : command->get_subcommands({})) level.words.push_back(sub->get_name());
    // The common options are accepted after any command name.
    for (const CLI::Option* option : app.get_options()) {
      for (const std::string& name : option->get_lnames()) level.words.push_back("--" + name);
    }
    if (command != &app) {
      for (const CLI::Option* option : command->get_options()) {
        if (IsHelp(option)) continue;
        for (const std::string& name : option->get_lnames()) {
          level.words.push_back("--" + name);
          if (option->get_type_size_max() > 0 && option->get_expected_max() > 0) valued.insert("--" + name);
        }
      }
    }
    levels.push_back(level);
    for (const CLI::App* sub : command->get_subcommands({})) self(self, sub, path + " " + sub->get_name());
  };
  walk(walk, &app, "");
  for (const CLI::Option* option : app.get_options()) {
    if (option->get_type_size_max() > 0 && option->get_expected_max() > 0) {
      for (const std::string& name : option->get_lnames()) valued.insert("--" + name);
    }
  }

  const auto join = [](const auto& words, const std::string& separator) {
    std::string out;
    for (const std::string& word : words) out += (out.empty() ? "" : separator) + word;
    return out;
  };
  std::ostringstream out;
  out << "# bash completion for korvanectl (generated from its command line)\n"
      << "_korvanectl() {\n"
      << "  local cur=\"${COMP_WORDS[COMP_CWORD]}\" prev=\"${COMP_WORDS[COMP_CWORD-1]}\" path=\"\" word\n"
      << "  case \"${prev}\" in\n"
      << "    " << join(valued, "|") << ") COMPREPLY=(); return ;;\n"
      << "  esac\n"
      << "  for word in \"${COMP_WORDS[@]:1:COMP_CWORD-1}\"; do\n"
      << "    case \"${path} ${word}\" in\n";
  std::vector<std::string> paths;
  for (const Level& level : levels) {
    if (!level.path.empty()) paths.push_back("\"" + level.path + "\"");
  }
  out << "      " << join(paths, "|") << ") path=\"${path} ${word}\" ;;\n"
      << "    esac\n"
      << "  done\n"
      << "  local words\n"
      << "  case \"${path}\" in\n";
  for (const Level& level : levels)
    out << "    \"" << level.path << "\") words=\"" << join(level.words, " ") << "\" ;;\n";
  out << "  esac\n"
      << "  COMPREPLY=($(compgen -W \"${words}\" -- \"${cur}\"))\n"
      << "}\n"
      << "complete -o default -F _korvanectl korvanectl\n";
  return out.str();
}

bool WriteFile(const std::string& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) std::cerr << "korvanectl-docs: cannot write " << file << '\n';
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: korvanectl-docs VERSION MANPAGE COMPLETION\n";
    return 2;
  }
  const cli::CommandLine line;
  const bool written =
      WriteFile(argv[2], RenderManPage(Page(line.app, argv[1]))) && WriteFile(argv[3], Completion(line.app));
  return written ? 0 : 1;
}
