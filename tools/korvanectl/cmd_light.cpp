// The light command: the lighting effect, its brightness, speed and colours,
// changed through the lighting page's model.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "cli_help.hpp"
#include "cli_options.hpp"
#include "cli_session.hpp"
#include "commands.hpp"
#include "common/colour.hpp"
#include "common/text.hpp"
#include "performance/lighting_model.hpp"
#include "setting_command.hpp"
#include "settings_text.hpp"

namespace korvane::cli {

namespace {

struct LightRequest {
  std::string mode;
  std::optional<int> brightness;
  std::optional<int> speed;
  std::vector<std::string> colours;
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// The mode a number (0..5) or a caption in the current language names.
std::optional<LightModeInfo> FindMode(CliSession& session, const std::string& text) {
  for (const LightModeInfo& mode : LightModes()) {
    if (text == std::to_string(mode.mode) ||
        Lower(text) == Lower(session.Context().Language().GetText(mode.caption_text))) {
      return mode;
    }
  }
  return std::nullopt;
}

// Everything is checked before anything is stored, so a refused request
// changes nothing.
Change ApplyLight(const LightRequest& request, CliSession& session, const SettingsTarget& target) {
  const DeviceModel model = session.Model().Get();
  if (!model.light_page_shown) return "this model has no lighting";
  const auto mode = FindMode(session, request.mode);
  if (!mode) return "no lighting mode " + request.mode;
  if (request.brightness && !(mode->config_func & kLightBrightness)) return "this mode has no brightness";
  if (request.speed && !(mode->config_func & kLightSpeed)) return "this mode has no speed";
  const std::size_t slots = mode->config_func & kLightSevenSlots   ? kLightColours
                            : mode->config_func & kLightFreeColour ? 1
                                                                   : 0;
  if (request.colours.size() > slots) return "this mode takes " + std::to_string(slots) + " colour(s)";
  std::vector<int> colours;
  for (const std::string& text : request.colours) {
    const auto colour = ColourArgument(text);
    if (!colour) return "the colour " + text + " is not six hexadecimal digits RRGGBB (# may lead)";
    colours.push_back(*colour);
  }
  EnsureDefaultLightRows(target.store, target.state.current_profile, model.light_modes);
  if (!ChangeLightMode(target, mode->mode)) return "this model does not offer that mode";
  if (request.brightness) SetLightBrightness(target, *request.brightness);
  if (request.speed) SetLightSpeed(target, *request.speed);
  for (std::size_t slot = 0; slot < colours.size(); ++slot) {
    ApplyLightColour(target, colours[slot], static_cast<int>(slot));
  }
  return std::nullopt;
}

// The active effect as stored once the mouse has it.
Confirmation LightingDone(CliSession& session, const std::string& lead) {
  const std::optional<nlohmann::ordered_json> row = ActiveLightRow(session);
  if (!row) return Confirm("lighting", "lighting: " + lead + "the mouse's own", {{"mode", nullptr}});
  nlohmann::ordered_json fields = *row;
  fields.erase("active");
  return Confirm("lighting", "lighting: " + lead + LightRowText(*row), fields);
}

}  // namespace

void AddLightCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  auto* light = app.add_subcommand("light", "Set the lighting effect, or reset it to the mouse's own");
  light->group(kSettingsGroup);
  SetExamples(*light, {{"korvanectl light 2 --brightness 3 --speed 1 --colour FF0000 --colour 00FF00",
                        "breathing in red and green"},
                       {"korvanectl light \"Always on\" --colour 0080FF", "a mode by its name"},
                       {"korvanectl light reset", "the mouse's own lighting"}});
  light->require_subcommand(0, 1);
  auto request = std::make_shared<LightRequest>();
  light->add_option("MODE", request->mode, "Mode number 0 to 5, or its name in the current language");
  light->add_option("--brightness", request->brightness, "0 to 4")->check(CLI::Range(0, kMaxLightLevel));
  light->add_option("--speed", request->speed, "0 to 4")->check(CLI::Range(0, kMaxLightLevel));
  light->add_option("--colour", request->colours, "RRGGBB or #RRGGBB; several for a mode with colour slots");
  auto* reset = light->add_subcommand("reset", "Let the mouse restore its lighting defaults");
  SetExamples(*reset, {{"korvanectl light reset", "the mouse's own lighting"}});
  reset->callback([&options, &exit_code] {
    exit_code = RunSettingCommand(
        options,
        [](CliSession& session, const SettingsTarget& target) -> Change {
          if (!session.Model().Get().light_page_shown) return "this model has no lighting";
          target.queue.Push(kTaskLightingRestore);
          return std::nullopt;
        },
        [](CliSession& session) { return LightingDone(session, "back to the mouse's defaults: "); });
  });
  light->callback([light, request, &options, &exit_code] {
    if (!light->get_subcommands().empty()) return;
    if (request->mode.empty()) throw CLI::RequiredError("MODE or reset");
    exit_code = RunSettingCommand(
        options,
        [request](CliSession& session, const SettingsTarget& target) { return ApplyLight(*request, session, target); },
        [](CliSession& session) { return LightingDone(session, ""); });
  });
}

}  // namespace korvane::cli
