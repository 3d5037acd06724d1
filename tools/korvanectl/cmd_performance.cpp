// Commands that change the DPI levels, report rate, sensor and power
// settings through the models the performance page uses.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>

#include "cli_help.hpp"
#include "cli_options.hpp"
#include "cli_session.hpp"
#include "commands.hpp"
#include "common/colour.hpp"
#include "common/text.hpp"
#include "device/sensor_dpi_table.hpp"
#include "performance/dpi_model.hpp"
#include "performance/rate_model.hpp"
#include "performance/sensor_power_model.hpp"
#include "performance_json.hpp"
#include "setting_command.hpp"
#include "settings_text.hpp"
#include "store/config_table.hpp"

namespace korvane::cli {

namespace {

using nlohmann::ordered_json;

// A setting command: the change, and what it tells once the mouse has it.
// One given to the program itself is listed under Settings.
CLI::App* AddSetting(CLI::App& parent, const char* name, const char* help, std::initializer_list<Example> examples,
                     CliOptions& options, ExitCode& exit_code, SettingChange change, DescribeChange describe) {
  CLI::App* command = parent.add_subcommand(name, help);
  if (!parent.get_parent()) command->group(kSettingsGroup);
  SetExamples(*command, examples);
  command->callback([&options, &exit_code, change = std::move(change), describe = std::move(describe)] {
    exit_code = RunSettingCommand(options, change, describe);
  });
  return command;
}

int HighestOfferedHertz(CliSession& session) {
  return OfferedRates(session.State().Info().rate_capability).back().hertz;
}

int Stored(CliSession& session, ConfigKey key) {
  return ConfigInt(session.Store(), session.State().current_profile, key);
}

ordered_json Optional(const std::optional<int>& value) { return value ? ordered_json(*value) : ordered_json(); }

Confirmation RateDone(CliSession& session) {
  const int code = Stored(session, ConfigKey::kReportRate);
  return Confirm("report_rate", "report rate: " + RateText(code), {{"hertz", Optional(HertzOfCode(code))}});
}

// Level K as typed (1..6) to the stored level (0..5).
int Level(int k) { return k - 1; }

ordered_json StoredLevel(CliSession& session, int level) {
  const ordered_json dpi = DpiJson(session.Store(), session.State().current_profile);
  const auto& levels = dpi["levels"];
  if (level >= 1 && level <= static_cast<int>(levels.size())) return levels[static_cast<std::size_t>(level - 1)];
  const DpiLevels stored = LoadDpiLevels(session.Store(), session.State().current_profile);
  return {{"level", level},
          {"dpi", stored.values[static_cast<std::size_t>(Level(level))]},
          {"colour", ColourToHex(stored.colours[static_cast<std::size_t>(Level(level))])}};
}

Confirmation DpiLevelsDone(CliSession& session) {
  const ordered_json dpi = DpiJson(session.Store(), session.State().current_profile);
  std::string values;
  for (const auto& level : dpi["levels"])
    values += (values.empty() ? "" : ", ") + std::to_string(level["dpi"].get<int>());
  return Confirm("dpi_levels",
                 "DPI levels: " + values + " DPI, level " + std::to_string(dpi["active_level"].get<int>()) + " active",
                 dpi);
}

void AddRateCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  auto* rate = app.add_subcommand("rate", "Set the report rate: HZ (125 ... 8000) or reset to the model's default");
  rate->group(kSettingsGroup);
  SetExamples(*rate, {{"korvanectl rate 1000", "1000 reports a second"},
                      {"korvanectl rate reset", "the model's default rate"}});
  rate->require_subcommand(0, 1);
  auto hertz = std::make_shared<std::string>();
  rate->add_option("HZ", *hertz, "125, 250, 500, 1000, 2000, 4000 or 8000");
  AddSetting(
      *rate, "reset", "Back to the model's default rate", {{"korvanectl rate reset", "the model's default rate"}},
      options, exit_code,
      [](CliSession& session, const SettingsTarget& target) -> Change {
        if (!ResetReportRate(target, session.Sources())) return "the model has no default rate this mouse offers";
        return std::nullopt;
      },
      RateDone);
  rate->callback([rate, hertz, &options, &exit_code] {
    if (!rate->get_subcommands().empty()) return;
    if (hertz->empty()) throw CLI::RequiredError("HZ or reset");
    exit_code = RunSettingCommand(
        options,
        [hertz](CliSession& session, const SettingsTarget& target) -> Change {
          // "1000" or "1000Hz", as the rate list writes it.
          std::string digits = *hertz;
          if (digits.size() > 2 && (digits.ends_with("Hz") || digits.ends_with("hz"))) digits.resize(digits.size() - 2);
          const auto typed = ParseDecimal(digits);
          const auto entry = typed ? RateOfHertz(*typed) : std::nullopt;
          if (!entry) return "no report rate of " + *hertz + " Hz; choose 125, 250, 500, 1000, 2000, 4000 or 8000";
          if (!ChangeReportRate(target, entry->code)) {
            return std::to_string(entry->hertz) + " Hz is refused: this mouse offers up to " +
                   std::to_string(HighestOfferedHertz(session)) + " Hz";
          }
          return std::nullopt;
        },
        RateDone);
  });
}

void AddDpiCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  auto* dpi = app.add_subcommand("dpi", "Change the DPI levels");
  dpi->group(kSettingsGroup);
  SetExamples(*dpi, {{"korvanectl dpi count 4", "four levels in use"},
                     {"korvanectl dpi set 2 1600", "level 2 at 1600 DPI"},
                     {"korvanectl dpi colour 2 00FF80", "level 2 shown green"}});
  dpi->require_subcommand(1);
  auto count = std::make_shared<int>(0);
  AddSetting(
      *dpi, "count", "Number of levels in use", {{"korvanectl dpi count 4", "levels 1 to 4 in use"}}, options,
      exit_code,
      [count](CliSession& session, const SettingsTarget& target) -> Change {
        if (!ChangeDpiCount(target, session.Dpi(), *count)) return "the level count must be 1 to 6";
        return std::nullopt;
      },
      [](CliSession& session) {
        const int count = Stored(session, ConfigKey::kDpiCount);
        return Confirm("dpi_count", "DPI levels in use: " + std::to_string(count),
                       {{"count", count}, {"active_level", Stored(session, ConfigKey::kDpiIndex) + 1}});
      })
      ->add_option("N", *count, "1 to 6")
      ->required();
  auto level = std::make_shared<int>(0);
  AddSetting(
      *dpi, "level", "Make a level the active one", {{"korvanectl dpi level 2", "level 2 active"}}, options, exit_code,
      [level](CliSession& session, const SettingsTarget& target) -> Change {
        if (!SelectDpiLevel(target, session.Dpi(), Level(*level))) {
          return "level " + std::to_string(*level) + " is not in use";
        }
        return std::nullopt;
      },
      [](CliSession& session) {
        const int active = Stored(session, ConfigKey::kDpiIndex) + 1;
        const ordered_json level = StoredLevel(session, active);
        return Confirm(
            "dpi_active_level",
            "active DPI level: " + std::to_string(active) + " (" + std::to_string(level["dpi"].get<int>()) + " DPI)",
            {{"level", active}, {"dpi", level["dpi"]}});
      })
      ->add_option("K", *level, "1 to the level count")
      ->required();
  auto set_level = std::make_shared<int>(0);
  auto value = std::make_shared<std::string>();
  auto* set = AddSetting(
      *dpi, "set", "Set a level's DPI value (rounded to the sensor's steps)",
      {{"korvanectl dpi set 2 1600", "level 2 at 1600 DPI"}}, options, exit_code,
      [set_level, value](CliSession&, const SettingsTarget& target) -> Change {
        // A number in the sensor's range, whole: the command line has no
        // typing to forgive, so "abc" or 99999 are refused, not stored.
        const SensorDpiRow& sensor = CurrentSensorRow(target.state);
        const std::optional<int> typed = ParseDecimal(*value);
        if (!typed || *typed < sensor.min_dpi || *typed > sensor.max_dpi) {
          return "the DPI value must be a number from " + std::to_string(sensor.min_dpi) + " to " +
                 std::to_string(sensor.max_dpi);
        }
        if (!TypeDpiValue(target, Level(*set_level), std::to_string(*typed))) return "the level must be 1 to 6";
        return std::nullopt;
      },
      [set_level](CliSession& session) {
        // The value stored: the one typed, rounded to the sensor's steps.
        const ordered_json level = StoredLevel(session, *set_level);
        return Confirm(
            "dpi_level",
            "DPI level " + std::to_string(*set_level) + ": " + std::to_string(level["dpi"].get<int>()) + " DPI",
            {{"level", *set_level}, {"dpi", level["dpi"]}});
      });
  set->add_option("K", *set_level, "1 to 6")->required();
  set->add_option("VALUE", *value, "DPI value")->required();
  auto colour_level = std::make_shared<int>(0);
  auto colour = std::make_shared<std::string>();
  auto* colour_command = AddSetting(
      *dpi, "colour", "Set a level's colour",
      {{"korvanectl dpi colour 2 00FF80", "level 2 shown green"}, {"korvanectl dpi colour 1 '#FF0000'", "level 1 red"}},
      options, exit_code,
      [colour_level, colour](CliSession&, const SettingsTarget& target) -> Change {
        const auto rgb = ColourArgument(*colour);
        if (!rgb) return "the colour must be six hexadecimal digits RRGGBB (# may lead)";
        if (!SetDpiColour(target, Level(*colour_level), *rgb)) {
          return *rgb == 0 ? "black cannot be chosen as a level colour" : "the level must be 1 to 6";
        }
        return std::nullopt;
      },
      [colour_level](CliSession& session) {
        const ordered_json level = StoredLevel(session, *colour_level);
        return Confirm("dpi_colour",
                       "DPI level " + std::to_string(*colour_level) + " colour: #" + level["colour"].get<std::string>(),
                       {{"level", *colour_level}, {"colour", level["colour"]}});
      });
  colour_command->add_option("K", *colour_level, "1 to 6")->required();
  colour_command->add_option("RRGGBB", *colour, "colour, as six hexadecimal digits (# may lead)")->required();
  AddSetting(
      *dpi, "reset", "Back to the model's DPI levels",
      {{"korvanectl dpi reset", "the model's levels, values and colours"}}, options, exit_code,
      [](CliSession&, const SettingsTarget& target) -> Change {
        target.queue.Push(kTaskDpiReset);
        return std::nullopt;
      },
      DpiLevelsDone);
}

void AddSensorPowerCommands(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  auto liftoff = std::make_shared<int>(1);
  AddSetting(
      app, "liftoff", "Set the lift-off distance in millimetres",
      {{"korvanectl liftoff 2", "tracking stops 2 mm above the surface"}}, options, exit_code,
      [liftoff](CliSession&, const SettingsTarget& target) -> Change {
        ChangeLiftOff(target, *liftoff == 2);
        return std::nullopt;
      },
      [](CliSession& session) {
        const int millimetres = LiftOffIsTwoMillimetres(session.Store(), session.State().current_profile) ? 2 : 1;
        return Confirm("liftoff", "lift-off distance: " + std::to_string(millimetres) + " mm",
                       {{"millimetres", millimetres}});
      })
      ->add_option("MM", *liftoff, "1 or 2")
      ->required()
      ->check(CLI::IsMember({1, 2}));

  auto boxes = std::make_shared<std::array<bool, 3>>();
  auto* sensor = AddSetting(
      app, "sensor", "Set the sensor options; options not given are switched off",
      {{"korvanectl sensor --ripple-control --angle-snapping", "these two on, the others off"},
       {"korvanectl sensor", "every option off"}},
      options, exit_code,
      [boxes](CliSession&, const SettingsTarget& target) -> Change {
        ChangeSensorOptions(target, *boxes);
        return std::nullopt;
      },
      [](CliSession& session) {
        const int flag = Stored(session, ConfigKey::kSensorFlag);
        return Confirm("sensor_options", "sensor options: " + SensorOptionsText(session.Context().Language(), flag),
                       SensorOptionsJson(flag));
      });
  // Named for what they are; --opt1 to --opt3 stay for existing scripts.
  constexpr std::array<const char*, 3> kNames{"--ripple-control,--opt1", "--angle-snapping,--opt2",
                                              "--motion-sync,--opt3"};
  std::array<CLI::Option*, 3> flags{};
  for (std::size_t i = 0; i < flags.size(); ++i) {
    flags[i] = sensor->add_flag(kNames[i], (*boxes)[i]);
  }
  // The options are described by the language's own captions, which need
  // the catalog the common options point at.
  sensor->preparse_callback([flags, &options](std::size_t) {
    const auto context = OpenContext(options);
    for (std::size_t i = 0; i < flags.size(); ++i) {
      flags[i]->description(context->Language().GetText(kSensorOptionTexts[i]));
    }
  });

  auto response = std::make_shared<int>(0);
  AddSetting(
      app, "response", "Set the button response time in milliseconds", {{"korvanectl response 8", "8 ms"}}, options,
      exit_code,
      [response](CliSession&, const SettingsTarget& target) -> Change {
        ChangeResponseTime(target, *response);
        return std::nullopt;
      },
      [](CliSession& session) {
        const int milliseconds = Stored(session, ConfigKey::kButtonRespondTime);
        return Confirm("response_time", "button response time: " + std::to_string(milliseconds) + " ms",
                       {{"milliseconds", milliseconds}});
      })
      ->add_option("MS", *response, "0 to 20")
      ->required()
      ->check(CLI::Range(0, kMaxResponseTime));

  auto minutes = std::make_shared<int>(0);
  AddSetting(
      app, "sleep", "Set the idle time before the mouse sleeps",
      {{"korvanectl sleep 10", "the mouse sleeps after 10 idle minutes"}}, options, exit_code,
      [minutes](CliSession&, const SettingsTarget& target) -> Change {
        for (const SleepChoice& choice : kSleepChoices) {
          if (choice.minutes == *minutes && ChangeSleepTime(target, choice.stored)) return std::nullopt;
        }
        return "the sleep time must be 1, 2, 5, 10, 20 or 30 minutes";
      },
      [](CliSession& session) {
        const int stored = Stored(session, ConfigKey::kSleepLight);
        return Confirm("sleep", "sleep after: " + SleepText(stored), {{"minutes", Optional(SleepMinutes(stored))}});
      })
      ->add_option("MINUTES", *minutes, "1, 2, 5, 10, 20 or 30")
      ->required();

  for (const auto& [name, help, example, store, key, changed, label] :
       {std::tuple{"wake", "Let movement wake the mouse", Example{"korvanectl wake on", "movement wakes the mouse"},
                   &ChangeMoveWakeup, ConfigKey::kMoveWakeup, "wake_on_movement", "wake on movement"},
        std::tuple{"lightoff", "Let movement switch the lighting off",
                   Example{"korvanectl lightoff on", "the lighting goes off while the mouse moves"},
                   &ChangeMoveLightOff, ConfigKey::kMoveCloseLight, "lighting_off_while_moving",
                   "lighting off while moving"}}) {
    auto on = std::make_shared<std::string>();
    AddSetting(
        app, name, help, {example}, options, exit_code,
        [on, store = store](CliSession&, const SettingsTarget& target) -> Change {
          store(target, *on == "on");
          return std::nullopt;
        },
        [key = key, changed = changed, label = label](CliSession& session) {
          const bool stored = Stored(session, key) == 1;
          return Confirm(changed, std::string(label) + ": " + OnOff(stored), {{"on", stored}});
        })
        ->add_option("STATE", *on, "on or off")
        ->required()
        ->check(CLI::IsMember({"on", "off"}));
  }
}

}  // namespace

void AddPerformanceCommands(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  AddRateCommand(app, options, exit_code);
  AddDpiCommand(app, options, exit_code);
  AddSensorPowerCommands(app, options, exit_code);
}

}  // namespace korvane::cli
