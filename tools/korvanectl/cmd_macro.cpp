// The macro command: lists macros, shows one, creates, renames and deletes
// them, sets their options and replaces their events, through the same
// operations the macro page uses. Recording is done on the page: a terminal
// sees no key releases.
#include <CLI/CLI.hpp>
#include <iostream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli_help.hpp"
#include "cli_json.hpp"
#include "cli_options.hpp"
#include "cli_session.hpp"
#include "commands.hpp"
#include "common/text.hpp"
#include "files/macro_files.hpp"
#include "keys/key_names.hpp"
#include "macros/macro_events.hpp"
#include "macros/macro_names.hpp"
#include "macros/macro_store.hpp"
#include "setting_command.hpp"
#include "store/config_store.hpp"
#include "store/macro_table.hpp"

namespace korvane::cli {

namespace {

using Json = nlohmann::ordered_json;

const std::map<std::string, int>& ButtonWords() {
  static const std::map<std::string, int> words{{"left", kLeftButtonBits},
                                                {"right", kRightButtonBits},
                                                {"middle", kMiddleButtonBits},
                                                {"back", kBackButtonBits},
                                                {"forward", kForwardButtonBits}};
  return words;
}

Json HeaderJson(const MacroHeader& header, const TextLookup& text) {
  return {{"id", header.macro_id},           {"name", DisplayedMacroName(header.name, text)},
          {"play_type", header.play_type},   {"play_times", header.play_times},
          {"delay_type", header.delay_type}, {"delay_time", header.delay_time}};
}

// Runs an operation on the model's database; when it refuses or the
// database fails, prints its one line and returns its code.
ExitCode WithStore(const CliOptions& options, const std::function<Change(CliSession&)>& operation) {
  ExitCode result = ExitCode::kSuccess;
  auto session = ConnectSession(options, result);
  if (!session) return result;
  const std::uint64_t failures = session->Store().Failures();
  Change refused = operation(*session);
  if (!refused && session->Store().Failures() != failures) {
    refused = Failure("the settings database " + session->Store().Path() + " did not take the change", ExitCode::kFile);
  }
  if (refused) result = Fail(*refused);
  CliSession::Finish(std::move(session));
  return result;
}

Change CheckName(const std::string& name) {
  if (Trim(name).empty()) return "the name must not be empty";
  if (!IsValidUtf8(name)) return "the name is not valid UTF-8 text";
  return std::nullopt;
}

Change CheckMacro(CliSession& session, int id, MacroHeader& header) {
  if (!LoadMacroRow(session.Store(), id, header)) return "no macro " + std::to_string(id);
  return std::nullopt;
}

ExitCode RunList(const CliOptions& options) {
  return WithStore(options, [&](CliSession& session) -> Change {
    const TextLookup text = session.Context().Language().Lookup();
    std::vector<MacroHeader> headers;
    LoadMacroRows(session.Store(), headers);
    Json out = Json::array();
    for (const MacroHeader& header : headers) {
      EventList events;
      LoadEventRows(session.Store(), header.macro_id, events);
      Json item = HeaderJson(header, text);
      item["events"] = events.size();
      item["records"] = EncodedRecords(events);
      if (options.json) {
        out.push_back(item);
      } else {
        std::cout << header.macro_id << "  " << item["name"].get<std::string>() << "  (" << events.size() << " events, "
                  << EncodedRecords(events) << " of " << kMaxMacroRecords << " device events)\n";
      }
    }
    if (options.json) std::cout << JsonText(out, 2) << '\n';
    return std::nullopt;
  });
}

ExitCode RunShow(const CliOptions& options, int id) {
  return WithStore(options, [&](CliSession& session) -> Change {
    MacroHeader header;
    if (auto refused = CheckMacro(session, id, header)) return refused;
    EventList events;
    LoadEventRows(session.Store(), id, events);
    Json out = HeaderJson(header, session.Context().Language().Lookup());
    out["events"] = Json::array();
    for (const MacroEvent& event : events) {
      out["events"].push_back({{"type", event.type}, {"value", event.value}, {"desc", event.desc}});
    }
    if (options.json) {
      std::cout << JsonText(out, 2) << '\n';
      return std::nullopt;
    }
    std::cout << id << "  " << out["name"].get<std::string>() << "\n  play_type = " << header.play_type
              << "\n  play_times = " << header.play_times << "\n  delay_type = " << header.delay_type
              << "\n  delay_time = " << header.delay_time << '\n';
    for (const MacroEvent& event : events) std::cout << "  " << event.desc << '\n';
    return std::nullopt;
  });
}

// One EVENT word as the list items it makes, appended to list.
Change AppendEvent(EventList& list, const std::string& word, int& stamp) {
  const auto colon = word.find(':');
  const std::string kind = word.substr(0, colon);
  const std::string what = colon == std::string::npos ? std::string() : word.substr(colon + 1);
  if (kind == "down" || kind == "up") {
    const auto key = KeyFromName(what);
    if (!key) return "unknown key \"" + what + "\" in " + word;
    list.push_back(KeyEvent(kind == "down", *key, UsKeyName(*key), ++stamp));
    return std::nullopt;
  }
  if (kind == "click" || kind == "press" || kind == "release") {
    const auto button = ButtonWords().find(what);
    if (button == ButtonWords().end()) return "unknown button \"" + what + "\" in " + word;
    if (kind == "click") {
      InsertClick(list, std::nullopt, button->second, ++stamp);
      stamp += 2;
    } else {
      list.push_back(MouseEvent(kind == "press", button->second, ++stamp));
    }
    return std::nullopt;
  }
  const auto delay = ParseDecimal(what);
  if (kind == "wait" && delay && *delay >= 1 && *delay <= 65535) {
    list.push_back(DelayEvent(*delay, ++stamp));
    return std::nullopt;
  }
  return "\"" + word + "\" is not down:KEY, up:KEY, click:BUTTON, press:BUTTON, release:BUTTON or wait:MS";
}

ExitCode RunEvents(const CliOptions& options, int id, const std::vector<std::string>& words) {
  return WithStore(options, [&](CliSession& session) -> Change {
    const std::uint64_t failures = session.Store().Failures();
    MacroHeader header;
    if (auto refused = CheckMacro(session, id, header)) return refused;
    EventList list;
    int stamp = 0;
    for (const std::string& word : words) {
      if (auto refused = AppendEvent(list, word, stamp)) return refused;
    }
    if (list.size() > kInsertLimit) {
      return "a macro holds at most " + std::to_string(kInsertLimit) + " events; these make " +
             std::to_string(list.size());
    }
    StoreEventList(session.Store(), id, list);
    // Told only once the database has them (WithStore checks it after).
    if (session.Store().Failures() == failures) {
      const int records = EncodedRecords(list);
      PrintConfirmation(
          options, Confirm("macro_events",
                           "macro " + std::to_string(id) + ": " + std::to_string(list.size()) + " events, " +
                               std::to_string(records) + " of " + std::to_string(kMaxMacroRecords) + " device events",
                           {{"id", id}, {"events", list.size()}, {"records", records}}));
    }
    return std::nullopt;
  });
}

// --delay none|recorded|fixed:MS and --play times:N|mode1|mode2.
Change ApplyOptionWords(MacroOptionChoices& choices, const std::string& delay, const std::string& play,
                        int device_type) {
  if (delay == "none" || delay == "recorded") {
    choices.delay_choice = delay == "none" ? 0 : 1;
  } else if (delay.starts_with("fixed:") && ParseDecimal(delay.substr(6))) {
    choices.delay_choice = 2;
    choices.delay_time = ReadDelayField(delay.substr(6));
  } else if (!delay.empty()) {
    return "--delay takes none, recorded or fixed:MS";
  }
  if (play == "mode1" || play == "mode2") {
    choices.play_choice = play == "mode1" ? 0 : 1;
  } else if (play.starts_with("times:") && ParseDecimal(play.substr(6))) {
    choices.play_choice = 2;
    choices.play_times = ReadPlayCountField(play.substr(6), device_type);
  } else if (!play.empty()) {
    return "--play takes times:N, mode1 or mode2";
  }
  return std::nullopt;
}

// The options in the words --delay and --play take.
std::string OptionWords(const MacroOptionChoices& choices) {
  const std::string delay = choices.delay_choice == 0   ? "none"
                            : choices.delay_choice == 1 ? "recorded"
                                                        : "fixed:" + std::to_string(choices.delay_time);
  const std::string play = choices.play_choice == 0   ? "mode1"
                           : choices.play_choice == 1 ? "mode2"
                                                      : "times:" + std::to_string(choices.play_times);
  return "delay " + delay + ", play " + play;
}

}  // namespace

void AddMacroCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  auto* macro = app.add_subcommand(
      "macro", "List the macros, or show, create, rename, delete one, set its options or events (record on the page)");
  macro->group(kProfilesGroup);
  SetExamples(*macro, {{"korvanectl macro", "every macro with its size"},
                       {"korvanectl macro create Spray", "a new macro; prints its id"},
                       {"korvanectl button 4 macro 1", "button 4 plays macro 1"}});
  macro->require_subcommand(0, 1);
  macro->callback([macro, &options, &exit_code] {
    if (macro->get_subcommands().empty()) exit_code = RunList(options);
  });

  auto show_id = std::make_shared<int>(0);
  auto* show = macro->add_subcommand("show", "One macro's options and events");
  SetExamples(*show, {{"korvanectl macro show 1", "macro 1's options and events"}});
  show->add_option("ID", *show_id, "Macro id as listed")->required();
  show->callback([&options, &exit_code, show_id] { exit_code = RunShow(options, *show_id); });

  auto create_name = std::make_shared<std::string>();
  auto* create = macro->add_subcommand("create", "A new macro; prints its id");
  SetExamples(*create, {{"korvanectl macro create Spray", "prints the new macro's id"},
                        {"korvanectl macro create", "named by the next default name"}});
  create->add_option("NAME", *create_name, "Its name (by default the next default name)");
  create->callback([&options, &exit_code, create_name, create] {
    exit_code = WithStore(options, [&](CliSession& session) -> Change {
      int id = 0;
      if (create->count("NAME") > 0) {
        if (auto refused = CheckName(*create_name)) return refused;
        id = InsertMacroRow(session.Store(), *create_name);
      } else {
        std::vector<MacroHeader> headers;
        LoadMacroRows(session.Store(), headers);
        id = CreateMacro(session.Store(), session.Context().Language().Lookup(), static_cast<int>(headers.size()));
      }
      if (id <= 0) {
        return Failure("the settings database " + session.Store().Path() + " did not take the macro", ExitCode::kFile);
      }
      std::cout << id << '\n';
      return std::nullopt;
    });
  });

  auto rename_id = std::make_shared<int>(0);
  auto rename_name = std::make_shared<std::string>();
  auto* rename = macro->add_subcommand("rename", "Rename a macro (and the descriptions of its buttons)");
  SetExamples(*rename, {{"korvanectl macro rename 1 Burst", "macro 1 named Burst"}});
  rename->add_option("ID", *rename_id, "Macro id")->required();
  rename->add_option("NAME", *rename_name, "New name")->required();
  rename->callback([&options, &exit_code, rename_id, rename_name] {
    exit_code = WithStore(options, [&](CliSession& session) -> Change {
      MacroHeader header;
      if (auto refused = CheckMacro(session, *rename_id, header)) return refused;
      if (auto refused = CheckName(*rename_name)) return refused;
      const std::uint64_t failures = session.Store().Failures();
      RenameMacro(session.Store(), *rename_id, *rename_name, session.State().current_profile);
      if (session.Store().Failures() == failures) {
        PrintConfirmation(options,
                          Confirm("macro_name", "macro " + std::to_string(*rename_id) + ": named " + *rename_name,
                                  {{"id", *rename_id}, {"name", *rename_name}}));
      }
      return std::nullopt;
    });
  });

  auto delete_id = std::make_shared<int>(0);
  auto* remove = macro->add_subcommand("delete", "Delete a macro; buttons that play it keep their assignment");
  SetExamples(*remove, {{"korvanectl macro delete 1", "macro 1 deleted"}});
  remove->add_option("ID", *delete_id, "Macro id")->required();
  remove->callback([&options, &exit_code, delete_id] {
    exit_code = WithStore(options, [&](CliSession& session) -> Change {
      MacroHeader header;
      if (auto refused = CheckMacro(session, *delete_id, header)) return refused;
      const std::uint64_t failures = session.Store().Failures();
      DeleteMacroRow(session.Store(), *delete_id);
      if (session.Store().Failures() == failures) {
        PrintConfirmation(options, Confirm("macro_deleted", "macro " + std::to_string(*delete_id) + ": deleted",
                                           {{"id", *delete_id}}));
      }
      return std::nullopt;
    });
  });

  auto options_id = std::make_shared<int>(0);
  auto delay = std::make_shared<std::string>();
  auto play = std::make_shared<std::string>();
  auto* set_options = macro->add_subcommand("options", "Set how a macro records delays and plays");
  SetExamples(*set_options, {{"korvanectl macro options 1 --delay fixed:25 --play times:3",
                              "25 ms between events, played three times"},
                             {"korvanectl macro options 1 --play mode1", "repeats while the button is held"}});
  set_options->add_option("ID", *options_id, "Macro id")->required();
  set_options->add_option("--delay", *delay, "none, recorded or fixed:MS (1 to 10000)");
  set_options->add_option("--play", *play, "times:N, mode1 or mode2");
  set_options->callback([&options, &exit_code, options_id, delay, play] {
    exit_code = WithStore(options, [&](CliSession& session) -> Change {
      MacroHeader header;
      if (auto refused = CheckMacro(session, *options_id, header)) return refused;
      MacroOptionChoices choices = ChoicesOf(header);
      if (auto refused = ApplyOptionWords(choices, *delay, *play, session.State().current_type)) return refused;
      const std::uint64_t failures = session.Store().Failures();
      UpdateMacroRow(session.Store(), *options_id, WithChoices(header, choices));
      MacroHeader stored;
      if (session.Store().Failures() == failures && LoadMacroRow(session.Store(), *options_id, stored)) {
        PrintConfirmation(
            options,
            Confirm("macro_options", "macro " + std::to_string(*options_id) + ": " + OptionWords(ChoicesOf(stored)),
                    HeaderJson(stored, session.Context().Language().Lookup())));
      }
      return std::nullopt;
    });
  });

  auto events_id = std::make_shared<int>(0);
  auto words = std::make_shared<std::vector<std::string>>();
  auto* events = macro->add_subcommand(
      "events", "Replace a macro's events: down:KEY up:KEY click:BUTTON press:BUTTON release:BUTTON wait:MS");
  SetExamples(*events, {{"korvanectl macro events 1 down:Ctrl down:A wait:30 up:A up:Ctrl click:left",
                         "Ctrl+A, 30 ms, a left click"}});
  events->add_option("ID", *events_id, "Macro id")->required();
  events->add_option("EVENT", *words, "Events in play order (BUTTON: left, right, middle, back, forward)")->required();
  events->callback([&options, &exit_code, events_id, words] { exit_code = RunEvents(options, *events_id, *words); });

  auto export_id = std::make_shared<int>(0);
  auto export_file = std::make_shared<std::string>();
  auto all_file = std::make_shared<std::string>();
  auto* export_macro =
      macro->add_subcommand("export", "Write a macro to a file (ID FILE), or every macro (--all FILE)");
  SetExamples(*export_macro, {{"korvanectl macro export 1 spray.xml", "macro 1 to spray.xml"},
                              {"korvanectl macro export --all macros.xml", "every macro to macros.xml"}});
  auto* id_option = export_macro->add_option("ID", *export_id, "Macro id");
  auto* file_option = export_macro->add_option("FILE", *export_file, "The file to write");
  auto* all_option =
      export_macro->add_option("--all", *all_file, "Write every macro, under their stored names, to this file");
  all_option->excludes(id_option)->excludes(file_option);
  export_macro->callback([&options, &exit_code, export_id, export_file, all_file, all_option, file_option] {
    exit_code = WithStore(options, [&](CliSession& session) -> Change {
      if (all_option->count() > 0) {
        if (!ExportMacrosB(session.Store(), *all_file))
          return Failure(*all_file + ": cannot be written", ExitCode::kFile);
        return std::nullopt;
      }
      if (file_option->count() == 0) return "give a macro id and a file, or --all FILE";
      MacroHeader header;
      if (auto refused = CheckMacro(session, *export_id, header)) return refused;
      const std::string shown = DisplayedMacroName(header.name, session.Context().Language().Lookup());
      if (!ExportMacroA(session.Store(), *export_id, shown, *export_file)) {
        return Failure(*export_file + ": cannot be written", ExitCode::kFile);
      }
      return std::nullopt;
    });
  });

  auto import_file = std::make_shared<std::string>();
  auto* import_macros =
      macro->add_subcommand("import", "Add the macros of a macro file (either layout); prints their ids");
  SetExamples(*import_macros, {{"korvanectl macro import spray.xml", "prints the new macros' ids"}});
  import_macros->add_option("FILE", *import_file, "The file to read")->required();
  import_macros->callback([&options, &exit_code, import_file] {
    exit_code = WithStore(options, [&](CliSession& session) -> Change {
      const MacroImport imported = ImportMacroFile(session.Store(), *import_file, session.State().current_type);
      if (!imported.problem.empty()) return Failure(*import_file + ": " + imported.problem, ExitCode::kFile);
      for (const int id : imported.ids) std::cout << id << '\n';
      return std::nullopt;
    });
  });
}

}  // namespace korvane::cli
