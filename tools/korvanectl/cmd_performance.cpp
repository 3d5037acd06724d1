// Commands that change the DPI levels, report rate, sensor and power
// settings through the models the performance page uses.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>

#include "cli_options.hpp"
#include "cli_session.hpp"
#include "commands.hpp"
#include "common/colour.hpp"
#include "common/text.hpp"
#include "device/sensor_dpi_table.hpp"
#include "performance/dpi_model.hpp"
#include "performance/rate_model.hpp"
#include "performance/sensor_power_model.hpp"
#include "setting_command.hpp"

namespace korvane::cli {

namespace {

// A setting command; `done`, when given, is what the change leaves to be
// printed once the mouse has taken it (and only then).
CLI::App* AddSetting(CLI::App& parent, const char* name, const char* help, CliOptions& options, ExitCode& exit_code,
                     std::function<Change(CliSession&, const SettingsTarget&)> change,
                     std::shared_ptr<const std::string> done = nullptr) {
  CLI::App* command = parent.add_subcommand(name, help);
  command->callback([&options, &exit_code, change = std::move(change), done] {
    exit_code = RunSettingCommand(options, change);
    if (exit_code == ExitCode::kSuccess && done) std::cout << *done;
  });
  return command;
}

int HighestOfferedHertz(CliSession& session) {
  return OfferedRates(session.State().Info().rate_capability).back().hertz;
}

void AddRateCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  auto* rate = app.add_subcommand("rate", "Set the report rate: HZ (125 ... 8000) or reset to the model's default");
  rate->require_subcommand(0, 1);
  auto hertz = std::make_shared<std::string>();
  rate->add_option("HZ", *hertz, "125, 250, 500, 1000, 2000, 4000 or 8000");
  AddSetting(*rate, "reset", "Back to the model's default rate", options, exit_code,
             [](CliSession& session, const SettingsTarget& target) -> Change {
               if (!ResetReportRate(target, session.Sources()))
                 return "the model has no default rate this mouse offers";
               return std::nullopt;
             });
  rate->callback([rate, hertz, &options, &exit_code] {
    if (!rate->get_subcommands().empty()) return;
    if (hertz->empty()) throw CLI::RequiredError("HZ or reset");
    exit_code = RunSettingCommand(options, [hertz](CliSession& session, const SettingsTarget& target) -> Change {
      const auto entry = RateOfHertz(std::atoi(hertz->c_str()));
      if (!entry) return "no report rate of " + *hertz + " Hz; choose 125, 250, 500, 1000, 2000, 4000 or 8000";
      if (!ChangeReportRate(target, entry->code)) {
        return std::string(entry->text) + " is refused: this mouse offers up to " +
               std::to_string(HighestOfferedHertz(session)) + "Hz";
      }
      return std::nullopt;
    });
  });
}

// Level K as typed (1..6) to the stored level (0..5).
int Level(int k) { return k - 1; }

void AddDpiCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  auto* dpi = app.add_subcommand("dpi", "Change the DPI levels");
  dpi->require_subcommand(1);
  auto count = std::make_shared<int>(0);
  AddSetting(*dpi, "count", "Number of levels in use", options, exit_code,
             [count](CliSession& session, const SettingsTarget& target) -> Change {
               if (!ChangeDpiCount(target, session.Dpi(), *count)) return "the level count must be 1 to 6";
               return std::nullopt;
             })
      ->add_option("N", *count, "1 to 6")
      ->required();
  auto level = std::make_shared<int>(0);
  AddSetting(*dpi, "level", "Make a level the active one", options, exit_code,
             [level](CliSession& session, const SettingsTarget& target) -> Change {
               if (!SelectDpiLevel(target, session.Dpi(), Level(*level))) {
                 return "level " + std::to_string(*level) + " is not in use";
               }
               return std::nullopt;
             })
      ->add_option("K", *level, "1 to the level count")
      ->required();
  auto set_level = std::make_shared<int>(0);
  auto value = std::make_shared<std::string>();
  auto set_done = std::make_shared<std::string>();
  auto* set = AddSetting(
      *dpi, "set", "Set a level's DPI value (rounded to the sensor's steps)", options, exit_code,
      [set_level, value, set_done](CliSession&, const SettingsTarget& target) -> Change {
        // A number in the sensor's range, whole: the command line has no
        // typing to forgive, so "abc" or 99999 are refused, not stored.
        const SensorDpiRow& sensor = CurrentSensorRow(target.state);
        const std::optional<int> typed = ParseDecimal(*value);
        if (!typed || *typed < sensor.min_dpi || *typed > sensor.max_dpi) {
          return "the DPI value must be a number from " + std::to_string(sensor.min_dpi) + " to " +
                 std::to_string(sensor.max_dpi);
        }
        const auto stored = TypeDpiValue(target, Level(*set_level), std::to_string(*typed));
        if (!stored) return "the level must be 1 to 6";
        *set_done = "level " + std::to_string(*set_level) + ": " + std::to_string(*stored) + " DPI\n";
        return std::nullopt;
      },
      set_done);
  set->add_option("K", *set_level, "1 to 6")->required();
  set->add_option("VALUE", *value, "DPI value")->required();
  auto colour_level = std::make_shared<int>(0);
  auto colour = std::make_shared<std::string>();
  auto* colour_command =
      AddSetting(*dpi, "colour", "Set a level's colour", options, exit_code,
                 [colour_level, colour](CliSession&, const SettingsTarget& target) -> Change {
                   const auto rgb = ColourArgument(*colour);
                   if (!rgb) return "the colour must be six hexadecimal digits RRGGBB (# may lead)";
                   if (!SetDpiColour(target, Level(*colour_level), *rgb)) {
                     return *rgb == 0 ? "black cannot be chosen as a level colour" : "the level must be 1 to 6";
                   }
                   return std::nullopt;
                 });
  colour_command->add_option("K", *colour_level, "1 to 6")->required();
  colour_command->add_option("RRGGBB", *colour, "colour, as six hexadecimal digits (# may lead)")->required();
  dpi->add_subcommand("reset", "Back to the model's DPI levels")->callback([&options, &exit_code] {
    exit_code = RunSettingCommand(options, [](CliSession&, const SettingsTarget& target) -> Change {
      target.queue.Push(kTaskDpiReset);
      return std::nullopt;
    });
  });
}

void AddSensorPowerCommands(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  auto liftoff = std::make_shared<int>(1);
  AddSetting(app, "liftoff", "Set the lift-off distance in millimetres", options, exit_code,
             [liftoff](CliSession&, const SettingsTarget& target) -> Change {
               ChangeLiftOff(target, *liftoff == 2);
               return std::nullopt;
             })
      ->add_option("MM", *liftoff, "1 or 2")
      ->required()
      ->check(CLI::IsMember({1, 2}));

  auto boxes = std::make_shared<std::array<bool, 3>>();
  auto* sensor = AddSetting(app, "sensor", "Set the sensor options; options not given are switched off", options,
                            exit_code, [boxes](CliSession&, const SettingsTarget& target) -> Change {
                              ChangeSensorOptions(target, *boxes);
                              return std::nullopt;
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
  AddSetting(app, "response", "Set the button response time in milliseconds", options, exit_code,
             [response](CliSession&, const SettingsTarget& target) -> Change {
               ChangeResponseTime(target, *response);
               return std::nullopt;
             })
      ->add_option("MS", *response, "0 to 20")
      ->required()
      ->check(CLI::Range(0, kMaxResponseTime));

  auto minutes = std::make_shared<int>(0);
  AddSetting(app, "sleep", "Set the idle time before the mouse sleeps", options, exit_code,
             [minutes](CliSession&, const SettingsTarget& target) -> Change {
               for (const SleepChoice& choice : kSleepChoices) {
                 if (choice.minutes == *minutes && ChangeSleepTime(target, choice.stored)) return std::nullopt;
               }
               return "the sleep time must be 1, 2, 5, 10, 20 or 30 minutes";
             })
      ->add_option("MINUTES", *minutes, "1, 2, 5, 10, 20 or 30")
      ->required();

  for (const auto& [name, help, store] :
       {std::tuple{"wake", "Let movement wake the mouse", &ChangeMoveWakeup},
        std::tuple{"lightoff", "Let movement switch the lighting off", &ChangeMoveLightOff}}) {
    auto on = std::make_shared<std::string>();
    AddSetting(app, name, help, options, exit_code,
               [on, store = store](CliSession&, const SettingsTarget& target) -> Change {
                 store(target, *on == "on");
                 return std::nullopt;
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
