// The button command: lists what every button does and assigns functions
// through the operations the buttons page uses.
#include <CLI/CLI.hpp>
#include <iostream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "buttons/button_assignments.hpp"
#include "cli_help.hpp"
#include "cli_json.hpp"
#include "cli_options.hpp"
#include "cli_session.hpp"
#include "commands.hpp"
#include "common/text.hpp"
#include "common/text_ids.hpp"
#include "keys/key_names.hpp"
#include "macros/macro_names.hpp"
#include "setting_command.hpp"
#include "store/macro_table.hpp"

namespace korvane::cli {

namespace {

using Words = std::vector<std::pair<std::string, int>>;

// The words each function group takes, with the value it stores.
const std::map<std::string, std::pair<int, Words>>& FunctionWords() {
  static const std::map<std::string, std::pair<int, Words>> words{
      {"mouse",
       {kFunctionMouse,
        {{"left", 1},
         {"right", 3},
         {"middle", 2},
         {"forward", 5},
         {"back", 6},
         {"triple", 4},
         {"wheel-up", 7},
         {"wheel-down", 8}}}},
      {"media",
       {kFunctionMultimedia,
        {{"player", 1},
         {"play-pause", 2},
         {"stop", 3},
         {"previous", 4},
         {"next", 5},
         {"volume-up", 6},
         {"volume-down", 7},
         {"mute", 8}}}},
      {"dpi", {kFunctionDpi, {{"up", 1}, {"down", 2}, {"cycle", 3}}}},
      {"special", {kFunctionSpecial, {{"1", 1}, {"2", 2}}}},
      {"system",
       {kFunctionSystem,
        {{"brightness-up", 1},
         {"brightness-down", 2},
         {"calculator", 3},
         {"computer", 4},
         {"browser-home", 5},
         {"mail", 6},
         {"show-desktop", 7},
         {"task-view", 8},
         {"copy", 9},
         {"paste", 10},
         {"cut", 11}}}},
  };
  return words;
}

std::string Join(const Words& words) {
  std::string text;
  for (const auto& [word, value] : words) text += (text.empty() ? "" : ", ") + word;
  return text;
}

std::vector<ButtonView> Buttons(CliSession& session) {
  const TextLookup text = session.Context().Language().Lookup();
  return LoadButtonViews(session.Store(), session.State().current_profile, session.Model().Get().default_keys, text,
                         [&text](const std::string& name) { return DescribedMacroName(name, text); });
}

nlohmann::ordered_json ButtonJson(int number, const ButtonView& view) {
  const KeyAssignment& a = view.assignment;
  return {{"number", number},       {"name", view.name},        {"type", a.macro_type},
          {"value", a.macro_value}, {"value2", a.macro_value2}, {"description", view.description}};
}

ExitCode RunList(const CliOptions& options) {
  ExitCode code = ExitCode::kSuccess;
  auto session = ConnectSession(options, code);
  if (!session) return code;
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  int number = 0;
  for (const ButtonView& view : Buttons(*session)) {
    const KeyAssignment& a = view.assignment;
    ++number;
    if (options.json) {
      out.push_back(ButtonJson(number, view));
    } else {
      std::cout << number << "  " << view.name << ": " << view.description << "  (type " << a.macro_type << ", "
                << a.macro_value << ", " << a.macro_value2 << ")\n";
    }
  }
  if (options.json) std::cout << JsonText(out, 2) << '\n';
  CliSession::Finish(std::move(session));
  return ExitCode::kSuccess;
}

// The words after "button N", turned into one assignment.
Change Assign(CliSession& session, const ButtonTarget& target, int key_code, const std::vector<std::string>& args) {
  const TextLookup text = session.Context().Language().Lookup();
  const std::string& kind = args.at(0);
  const auto refused = [&](AssignResult result) -> Change {
    switch (result) {
      case AssignResult::kStored:
        return std::nullopt;
      case AssignResult::kPrimaryButton:
        return text(text_id::kPrimaryButtonLocked);
      case AssignResult::kMacroTooLong:
        return text(text_id::kMacroTooLong);
      case AssignResult::kNothingToStore:
        return "a key combination needs a key or a modifier";
      case AssignResult::kStoreFailed:
        return Failure("the settings database did not take the change", ExitCode::kFile);
    }
    return std::nullopt;
  };
  if (const auto group = FunctionWords().find(kind); group != FunctionWords().end()) {
    const auto& [type, words] = group->second;
    for (const auto& [word, value] : words) {
      if (args.size() != 2 || args[1] != word) continue;
      for (const FunctionItem& item : OfferedFunctions(type)) {
        if (item.value == value)
          return refused(AssignFunction(target, key_code, type, value, FunctionItemText(item, text)));
      }
    }
    return kind + " takes one of: " + Join(words);
  }
  if (kind == "key" && args.size() == 2) {
    const ParsedCombination parsed = ParseCombination(args[1]);
    if (!parsed.combination) {
      std::string names;
      for (const auto name : AcceptedKeyNames()) names += (names.empty() ? "" : ", ") + std::string(name);
      return "unknown key \"" + parsed.unknown + "\"; modifiers: Ctrl, Shift, Alt, Win; keys: " + names;
    }
    return refused(AssignKeyCombination(target, key_code, *parsed.combination));
  }
  if (kind == "repeat" && args.size() == 3) {
    return refused(AssignRepeat(target, key_code, LeadingNumber(args[1]), LeadingNumber(args[2]),
                                text(text_id::kRepeatDescription)));
  }
  if (kind == "macro" && args.size() == 2) {
    MacroHeader macro;
    if (!LoadMacroRow(target.store, LeadingNumber(args[1]), macro)) return "no macro " + args[1];
    return refused(AssignFunction(target, key_code, kFunctionMacro, macro.macro_id, macro.name));
  }
  if (kind == "disable" && args.size() == 1) {
    return refused(AssignDisabled(target, key_code, text(text_id::kDisableButton)));
  }
  if (kind == "reset" && args.size() == 1) {
    if (!ResetKey(target, key_code)) return Failure("the settings database did not take the change", ExitCode::kFile);
    return std::nullopt;
  }
  return "unknown button function \"" + kind + "\"; see korvanectl button --help";
}

constexpr const char* kForms =
    "Forms:\n"
    "  button                          every button and its function\n"
    "  button N mouse left|right|middle|back|forward|wheel-up|wheel-down|triple\n"
    "  button N key COMBO              e.g. Ctrl+Shift+A, RWin, F13, \"Num Enter\"\n"
    "  button N media player|play-pause|stop|previous|next|volume-up|volume-down|mute\n"
    "  button N dpi up|down|cycle      button N special 1|2\n"
    "  button N repeat FIRST SECOND    FIRST 5..255, SECOND 0..255\n"
    "  button N system brightness-up|brightness-down|calculator|computer|browser-home|mail|\n"
    "                  show-desktop|task-view|copy|paste|cut\n"
    "  button N macro MACRO_ID         button N disable\n"
    "  button N reset                  button reset-all\n"
    "N counts the buttons as listed, from 1; button 1 is the primary button and keeps its function.";

}  // namespace

void AddButtonCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  auto* button = app.add_subcommand("button", "List the buttons' functions, or give a button a function");
  button->group(kSettingsGroup);
  button->footer(std::string(kForms) + "\n\n" + button->get_footer());
  SetExamples(*button, {{"korvanectl button", "every button and what it does"},
                        {"korvanectl button 4 key Ctrl+Shift+A", "button 4 types Ctrl+Shift+A"},
                        {"korvanectl button 5 media mute", "button 5 mutes the sound"},
                        {"korvanectl button reset-all", "every button back to the model's default"}});
  auto args = std::make_shared<std::vector<std::string>>();
  button->add_option("ARGS", *args, "N FUNCTION [VALUES], or reset-all");
  button->callback([args, &options, &exit_code] {
    if (args->empty()) {
      exit_code = RunList(options);
      return;
    }
    if (args->size() == 1 && args->front() == "reset-all") {
      exit_code = RunSettingCommand(
          options,
          [](CliSession& session, const SettingsTarget& target) -> Change {
            const ButtonTarget buttons{target.store, target.state, target.queue, session.Pending()};
            if (!ResetAllKeys(buttons)) {
              return Failure("the settings database did not take the change", ExitCode::kFile);
            }
            return std::nullopt;
          },
          [](CliSession&) {
            return Confirm("buttons", "buttons: every button back to the model's default", {{"reset", true}});
          });
      return;
    }
    if (args->size() < 2) throw CLI::ValidationError("button", "expected N FUNCTION [VALUES]");
    const int number = LeadingNumber(args->front());
    const std::vector<std::string> rest(args->begin() + 1, args->end());
    exit_code = RunSettingCommand(
        options,
        [number, rest](CliSession& session, const SettingsTarget& target) -> Change {
          const std::vector<ButtonView> buttons = Buttons(session);
          if (number < 1 || number > static_cast<int>(buttons.size())) {
            return "the button must be 1 to " + std::to_string(buttons.size());
          }
          const ButtonTarget button_target{target.store, target.state, target.queue, session.Pending()};
          return Assign(session, button_target, buttons[number - 1].key_code, rest);
        },
        [number](CliSession& session) {
          const ButtonView view = Buttons(session).at(static_cast<std::size_t>(number - 1));
          return Confirm("button", "button " + std::to_string(number) + " (" + view.name + "): " + view.description,
                         ButtonJson(number, view));
        });
  });
}

}  // namespace korvane::cli
