#include <CLI/CLI.hpp>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>

#include "common/text.hpp"
#include "platform/paths.hpp"
#include "sim/cli_commands.hpp"
#include "sim/control_commands.hpp"
#include "sim/presets.hpp"
#include "sim/socket_server.hpp"

namespace korvane::sim::cli {

namespace {

// Replaces the file in one step, so a reader never sees half a state.
bool WriteStateFile(const std::filesystem::path& file, const std::string& text) {
  const std::filesystem::path temporary = file.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text << '\n';
    if (!out) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  return !error;
}

PresetOptions ToPresetOptions(const ServeOptions& options) {
  PresetOptions preset;
  preset.preset = *ParsePreset(options.preset);
  preset.model = options.model;
  preset.sensor = options.sensor;
  if (options.rate_cap) preset.rate_capability = static_cast<int>(*ParseHex(*options.rate_cap));
  preset.dev_id = options.dev_id;
  if (options.battery.size() == 2) preset.battery = std::pair{options.battery[0], options.battery[1]};
  return preset;
}

}  // namespace

void AddServeCommand(CLI::App& app, ServeOptions& options) {
  CLI::App* serve = app.add_subcommand("serve", "Serve virtual mice on a Unix socket until killed");
  serve->add_option("--socket", options.socket, "Socket to serve on")->required();
  serve->add_option("--preset", options.preset, "Devices on the bus")
      ->check(CLI::IsMember({"wired", "receiver", "receiver-unlinked", "both"}))
      ->capture_default_str();
  serve->add_option("--model", options.model, "device_attr of the catalog model (default: the first that fits)");
  serve->add_option("--sensor", options.sensor, "Sensor id reported in the device information")
      ->check(CLI::Range(0, 255));
  serve->add_option("--rate-cap", options.rate_cap, "Highest report-rate code")
      ->check(CLI::IsMember({"0x10", "0x20", "0x40"}));
  serve->add_option("--dev-id", options.dev_id, "Four-character device id")
      ->check(CLI::Validator(
          [](const std::string& text) { return text.size() == 4 ? std::string() : "must be four characters"; },
          "XXXX"));
  serve->add_option("--battery", options.battery, "Battery values A,B")
      ->delimiter(',')
      ->expected(2)
      ->check(CLI::Range(0, 255));
  serve->add_option("--state", options.state_file, "Write the device state as JSON here after every command");
  serve->add_option("--resources", options.resources, "Folder holding config.xml and device/");
}

int RunServe(const ServeOptions& options) {
  // The signals that end the server are taken by sigwait below; every thread
  // started from here on inherits the blocked mask.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  sigaddset(&stop_signals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  const std::filesystem::path resources =
      ResourcesFolder(options.resources ? std::optional<std::filesystem::path>(*options.resources) : std::nullopt);
  PresetResult preset = BuildPreset(resources, ToPresetOptions(options));
  if (preset.devices.empty()) {
    std::cerr << "korvane-virtual-mouse: " << preset.error << '\n';
    return 1;
  }

  VirtualBus bus;
  for (VirtualDevice& device : preset.devices) bus.Add(std::move(device));
  std::mutex state_file_mutex;
  if (options.state_file) {
    if (!WriteStateFile(*options.state_file, BusStateText(bus))) {
      std::cerr << "korvane-virtual-mouse: cannot write " << *options.state_file << '\n';
      return 1;
    }
    bus.SetStateObserver([&](VirtualBus::DeviceId, const MouseState&) {
      std::lock_guard lock(state_file_mutex);
      WriteStateFile(*options.state_file, BusStateText(bus));
    });
  }

  SocketServer server(bus);
  std::string error;
  if (!server.Start(options.socket, &error)) {
    std::cerr << "korvane-virtual-mouse: " << error << '\n';
    return 1;
  }
  std::cout << "serving " << options.preset << " on " << options.socket << std::endl;
  int signal = 0;
  sigwait(&stop_signals, &signal);
  server.Stop();
  bus.SetStateObserver(nullptr);
  return 0;
}

}  // namespace korvane::sim::cli
