#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "catalog/catalog_file.hpp"
#include "catalog/model_definition.hpp"
#include "cli_help.hpp"
#include "cli_json.hpp"
#include "cli_options.hpp"
#include "commands.hpp"
#include "common/colour.hpp"
#include "common/text.hpp"

namespace korvane::cli {

namespace {

using nlohmann::ordered_json;

const char* ModeName(int mode) { return mode == kReceiver ? "receiver" : "wired"; }

// Reports a file that could not be read, or each rule it breaks; true when
// there is nothing to report.
bool Report(const LoadReport& report) {
  if (!report.loaded) {
    PrintError("cannot read " + report.file.string() + ": " + report.error);
    return false;
  }
  for (const std::string& problem : report.problems) PrintError(report.file.string() + ": " + problem);
  return report.problems.empty();
}

ordered_json CatalogJson(const AppContext& context, const DeviceCatalog& catalog) {
  ordered_json out;
  out["caption"] = context.Caption();
  out["version"] = catalog.version;
  out["current_language"] = context.Language().CurrentLcid();
  out["languages"] = ordered_json::array();
  for (const OfferedLanguage& language : context.Language().OfferedLanguages()) {
    out["languages"].push_back({{"lcid", language.lcid}, {"name", language.native_name}});
  }
  out["links"] = {{"website", catalog.website_url},
                  {"feedback", catalog.feedback_url},
                  {"qa", catalog.qa_url},
                  {"upgrade", catalog.upgrade_url}};
  out["models"] = ordered_json::array();
  for (const CatalogEntry& model : catalog.models) {
    ordered_json modes = ordered_json::array();
    for (const CatalogEntry& entry : catalog.interfaces) {
      if (entry.device_type != model.device_type) continue;
      modes.push_back({{"mode", ModeName(entry.mode)},
                       {"vid", Hex4(static_cast<unsigned>(entry.vid))},
                       {"pid", Hex4(static_cast<unsigned>(entry.pid))},
                       {"dev_id", entry.dev_id}});
    }
    out["models"].push_back({{"name", model.name},
                             {"device_type", model.device_type},
                             {"device_attr", model.device_attr},
                             {"modes", modes}});
  }
  return out;
}

ordered_json OptionalJson(const std::optional<int>& value) { return value ? ordered_json(*value) : ordered_json(); }

ordered_json ModelJson(const AppContext& context, const DeviceModel& model) {
  const LanguageCatalog& language = context.Language();
  ordered_json out;
  out["device_attr"] = model.device_attr;
  out["picture"] = model.picture;
  out["show"] = {{"lighting_page", model.light_page_shown},
                 {"dpi_tip", model.dpi_tip_shown},
                 {"save_tip", model.save_tip_shown},
                 {"lift_off", model.lod_shown},
                 {"sensor", model.sensor_shown}};
  out["firmware_url"] = model.firmware_url;
  out["buttons"] = ordered_json::array();
  for (std::size_t i = 0; i < model.buttons.size(); ++i) {
    const ModelButton& button = model.buttons[i];
    const KeyAssignment& factory = model.default_keys[i];
    out["buttons"].push_back({{"key_value", button.key_value},
                              {"name", language.GetText(button.name_id)},
                              {"function", language.GetText(button.func_desc_id)},
                              {"func_type", factory.macro_type},
                              {"func_value", factory.macro_value},
                              {"direction", button.direction},
                              {"leader", {button.leader_from.x, button.leader_to.x, button.leader_from.y}}});
  }
  out["lighting_modes"] = ordered_json::array();
  for (int mode = 1; mode <= kLightModes; ++mode) {
    if (model.light_modes[static_cast<std::size_t>(mode - 1)]) out["lighting_modes"].push_back(mode);
  }
  const ModelDefaults& d = model.defaults;
  ordered_json levels = ordered_json::array();
  for (std::size_t k = 0; k < d.dpi_value.size(); ++k) {
    if (!d.dpi_value[k]) continue;
    levels.push_back({{"level", k + 1},
                      {"dpi", *d.dpi_value[k]},
                      {"colour", d.dpi_colour[k] ? ColourToHex(*d.dpi_colour[k]) : std::string()}});
  }
  out["defaults"] = {{"dpi_index", OptionalJson(d.default_dpi)},
                     {"dpi_count", OptionalJson(d.dpi_count)},
                     {"dpi_levels", levels},
                     {"report_rate", OptionalJson(d.report_rate)},
                     {"sleep_light", OptionalJson(d.sleep_light)},
                     {"move_wakeup", OptionalJson(d.move_wakeup)},
                     {"move_closelight", OptionalJson(d.move_closelight)}};
  return out;
}

std::string ValueText(const ordered_json& value) {
  return value.is_string() ? value.get<std::string>() : JsonText(value);
}

void PrintCatalogText(const ordered_json& out) {
  std::cout << out["caption"].get<std::string>() << " " << out["version"].get<std::string>() << '\n';
  std::cout << "Languages:";
  for (const auto& language : out["languages"]) {
    std::cout << "  " << language["lcid"] << " " << language["name"].get<std::string>();
  }
  std::cout << "\nModels:\n";
  for (const auto& model : out["models"]) {
    std::cout << "  " << model["device_type"] << "  " << model["name"].get<std::string>() << " ("
              << model["device_attr"].get<std::string>() << ")\n";
    for (const auto& mode : model["modes"]) {
      std::cout << "        " << mode["mode"].get<std::string>() << "  " << mode["vid"].get<std::string>() << ":"
                << mode["pid"].get<std::string>() << "  dev_id " << mode["dev_id"].get<std::string>() << '\n';
    }
  }
}

void PrintModelText(const ordered_json& model) {
  std::cout << "Model " << model["device_attr"].get<std::string>() << '\n';
  std::cout << "  Picture: " << model["picture"].get<std::string>() << '\n';
  std::cout << "  Firmware: " << model["firmware_url"].get<std::string>() << '\n';
  std::cout << "  Shown:";
  for (const auto& [name, shown] : model["show"].items())
    std::cout << "  " << name << "=" << (shown.get<bool>() ? 1 : 0);
  std::cout << "\n  Lighting modes: " << JsonText(model["lighting_modes"]) << '\n';
  std::cout << "  Buttons:\n";
  for (const auto& button : model["buttons"]) {
    std::cout << "    " << button["key_value"] << "  " << button["name"].get<std::string>() << "  ->  "
              << button["function"].get<std::string>() << " (type " << button["func_type"] << ", value "
              << button["func_value"] << ")\n";
  }
  std::cout << "  Defaults:\n";
  for (const auto& [name, value] : model["defaults"].items()) {
    if (name == "dpi_levels") continue;
    std::cout << "    " << name << " = " << ValueText(value) << '\n';
  }
  for (const auto& level : model["defaults"]["dpi_levels"]) {
    std::cout << "    level " << level["level"] << ": " << level["dpi"] << " DPI  #"
              << level["colour"].get<std::string>() << '\n';
  }
}

ExitCode RunCatalog(const CliOptions& options, const std::string& model_attr) {
  const auto context = OpenContext(options);
  LoadReport report;
  const DeviceCatalog catalog = ReadCatalogFile(CatalogFilePath(context->Resources()), context->SkinFolder(), report);
  bool ok = Report(report);
  ordered_json out = CatalogJson(*context, catalog);

  if (!model_attr.empty()) {
    DeviceModel model;
    model.device_attr = model_attr;
    LoadReport model_report;
    const bool read = ReadModelDefinition(ModelFilePath(context->Resources(), model_attr), model, model_report);
    ok = Report(model_report) && ok;
    if (read) out["model"] = ModelJson(*context, model);
  }

  if (options.json) {
    std::cout << JsonText(out, 2) << '\n';
  } else {
    PrintCatalogText(out);
    if (out.contains("model")) PrintModelText(out["model"]);
  }
  return ok ? ExitCode::kSuccess : ExitCode::kFile;
}

}  // namespace

void AddCatalogCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  auto* command = app.add_subcommand("catalog", "Show the supported models, languages and product version");
  command->group(kFilesGroup);
  SetExamples(*command, {{"korvanectl catalog", "the models, languages and product version"},
                         {"korvanectl catalog --model korvane_slate", "also one model's buttons and defaults"}});
  auto model_attr = std::make_shared<std::string>();
  command->add_option("--model", *model_attr, "Also show this model's definition (its device_attr)");
  command->callback([&options, &exit_code, model_attr] { exit_code = RunCatalog(options, *model_attr); });
}

}  // namespace korvane::cli
