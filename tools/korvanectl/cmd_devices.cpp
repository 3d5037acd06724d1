#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/hid_link.hpp"
#include "catalog/catalog_file.hpp"
#include "catalog/current_model.hpp"
#include "cli_help.hpp"
#include "cli_json.hpp"
#include "cli_options.hpp"
#include "commands.hpp"
#include "common/text.hpp"
#include "device/device_manager.hpp"
#include "device/report_decoders.hpp"
#include "platform/paths.hpp"

namespace korvane::cli {

namespace {

using nlohmann::ordered_json;

// Device ids are bytes from the device; anything but printable ASCII is
// shown as '?' so neither the terminal nor the JSON encoder sees raw bytes.
std::string Printable(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c < 0x20 || c > 0x7E) c = '?';
  }
  return out;
}

ordered_json DeviceJson(const DeviceCatalog& catalog, const DeviceEntry& entry) {
  const CatalogEntry* model = FindModel(catalog, entry.device_type);
  const auto info = DecodeDeviceInfo(entry.device_info);
  return {{"vid", Hex4(entry.vendor_id)},
          {"pid", Hex4(entry.product_id)},
          {"mode", entry.connection_mode == kReceiver ? "receiver" : "wired"},
          {"device_type", entry.device_type},
          {"model", model ? model->name : std::string()},
          {"device_id", Printable(entry.device_id)},
          {"link_state", entry.link_state},
          {"release", Hex4(entry.release_number)},
          {"battery_a", info ? info->battery_a : 0},
          {"battery_b", info ? info->battery_b : 0}};
}

void PrintText(const ordered_json& devices) {
  if (devices.empty()) {
    std::cout << "No supported device found.\n";
    return;
  }
  for (const auto& d : devices) {
    const std::string model = d["model"].get<std::string>();
    std::cout << d["vid"].get<std::string>() << ":" << d["pid"].get<std::string>() << "  "
              << d["mode"].get<std::string>() << "  type " << d["device_type"] << " "
              << (model.empty() ? "(unknown model)" : model) << "  id " << d["device_id"].get<std::string>()
              << "  link " << d["link_state"] << "  release " << d["release"].get<std::string>() << "  battery "
              << d["battery_a"] << "/" << d["battery_b"] << '\n';
  }
}

ExitCode RunDevices(const CliOptions& options) {
  LoadReport report;
  const DeviceCatalog catalog = ReadCatalogFile(CatalogFilePath(ResourcesFolder(options.resources)), {}, report);
  if (!report.loaded) {
    return Fail({"cannot read " + report.file.string() + ": " + report.error, ExitCode::kFile});
  }
  if (const std::optional<Failure> failure = HidFailure(options)) return Fail(*failure);
  const HidLink link = OpenHidLink(options.hid);
  DeviceManager manager(*link.transport);
  RegisterInterfaces(catalog, manager);
  manager.EnumerateDevice();
  manager.SetReady();
  std::vector<DeviceEntry> entries;
  manager.ListDevices(entries);

  ordered_json devices = ordered_json::array();
  for (const DeviceEntry& entry : entries) devices.push_back(DeviceJson(catalog, entry));
  if (options.json) {
    std::cout << JsonText(devices, 2) << '\n';
  } else {
    PrintText(devices);
  }
  return ExitCode::kSuccess;
}

}  // namespace

void AddDevicesCommand(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  auto* command = app.add_subcommand("devices", "List the connected mice's configuration interfaces");
  command->group(kDeviceGroup);
  SetExamples(*command, {{"korvanectl devices", "every connected interface the program accepts"},
                         {"korvanectl devices --json", "the same as a JSON list"}});
  command->callback([&options, &exit_code] { exit_code = RunDevices(options); });
}

}  // namespace korvane::cli
