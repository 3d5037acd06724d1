#include "cli_help.hpp"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstring>
#include <sstream>

#include "exit_codes.hpp"

namespace korvane::cli {

namespace {

constexpr const char* kHeading = "Examples:";
constexpr const char* kIndent = "  ";
// Between a command and its comment: at least two spaces, then "# ".
constexpr const char* kComment = "  # ";

}  // namespace

void GroupNestedCommands(CLI::App& app) {
  for (CLI::App* command : app.get_subcommands({})) {
    for (CLI::App* nested : command->get_subcommands({})) nested->group("Commands");
    GroupNestedCommands(*command);
  }
}

void SetExamples(CLI::App& command, std::initializer_list<Example> examples) {
  std::size_t width = 0;
  for (const Example& example : examples) width = std::max(width, std::strlen(example.command));
  std::string block = kHeading;
  for (const Example& example : examples) {
    block += std::string("\n") + kIndent + example.command + std::string(width - std::strlen(example.command), ' ') +
             kComment + example.what;
  }
  // A command starts with its parent's footer: the parent's examples go, and
  // the command's come before the exit status.
  std::vector<std::string> blocks;
  const std::string footer = command.get_footer();
  for (std::size_t start = 0; start < footer.size();) {
    const std::size_t end = std::min(footer.find("\n\n", start), footer.size());
    blocks.push_back(footer.substr(start, end - start));
    start = end + 2;
  }
  std::erase_if(blocks, [](const std::string& text) { return text.starts_with(kHeading); });
  const auto exit_status = std::find_if(blocks.begin(), blocks.end(),
                                        [](const std::string& text) { return text.starts_with(kExitStatusHeading); });
  blocks.insert(exit_status, block);
  std::string text;
  for (const std::string& part : blocks) text += (text.empty() ? "" : "\n\n") + part;
  command.footer(text);
}

std::vector<std::pair<std::string, std::string>> ExamplesOf(const CLI::App& command) {
  std::vector<std::pair<std::string, std::string>> examples;
  std::istringstream lines(command.get_footer());
  std::string line;
  bool listed = false;
  while (std::getline(lines, line)) {
    if (line == kHeading) {
      listed = true;
      continue;
    }
    if (!listed) continue;
    if (!line.starts_with(kIndent)) break;
    const std::size_t comment = line.find(kComment);
    std::string what = comment == std::string::npos ? std::string() : line.substr(comment + std::strlen(kComment));
    std::string run = line.substr(std::strlen(kIndent),
                                  comment == std::string::npos ? std::string::npos : comment - std::strlen(kIndent));
    run.erase(run.find_last_not_of(' ') + 1);
    examples.emplace_back(std::move(run), std::move(what));
  }
  return examples;
}

}  // namespace korvane::cli
