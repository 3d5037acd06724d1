// Commands that connect to the mouse as the desktop application does:
// status, show, select and watch.
#include <semaphore.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "catalog/current_model.hpp"
#include "cli_json.hpp"
#include "cli_options.hpp"
#include "cli_session.hpp"
#include "commands.hpp"
#include "common/text_ids.hpp"
#include "performance_json.hpp"
#include "setting_command.hpp"
#include "store/profile_table.hpp"
#include "ui/profile_dlg.hpp"
#include "worker/hotplug.hpp"

namespace korvane::cli {

namespace {

using nlohmann::ordered_json;

const char* ModeName(int mode) {
  switch (mode) {
    case kWired:
      return "wired";
    case kReceiver:
      return "receiver";
    default:
      return "none";
  }
}

std::string ModelName(CliSession& session, int device_type) {
  const CatalogEntry* model = FindModel(session.Catalog(), device_type);
  return model ? model->name : std::string();
}

ordered_json StatusJson(CliSession& session) {
  ConnectionState& state = session.State();
  const DeviceInfoValues info = state.Info();
  const int text = state.StatusText();
  return {{"status_text_id", text},
          {"status_text", session.Context().Language().GetText(text)},
          {"mouse_linked", state.mouse_linked.load()},
          {"notify_polling", state.notify_polling.load()},
          {"device_type", state.current_type.load()},
          {"model", ModelName(session, state.current_type)},
          {"connection_mode", ModeName(session.Manager().GetConnectionMode())},
          {"battery_a", info.battery_a},
          {"battery_b", info.battery_b},
          {"sensor_id", info.sensor_id},
          {"rate_capability", info.rate_capability}};
}

ExitCode RunStatus(const CliOptions& options) {
  ExitCode code = ExitCode::kSuccess;
  auto session = ConnectSession(options, code);
  if (!session) return code;
  const ordered_json out = StatusJson(*session);
  if (options.json) {
    std::cout << JsonText(out, 2) << '\n';
  } else {
    std::cout << out["status_text"].get<std::string>() << " (" << out["status_text_id"] << ")\n";
    PrintKeys(out, "  ");
    const std::string version = session->State().ReceiverVersion();
    if (!version.empty()) std::cout << "  receiver_version = " << version << '\n';
  }
  CliSession::Finish(std::move(session));
  return ExitCode::kSuccess;
}

ExitCode RunShow(const CliOptions& options) {
  ExitCode code = ExitCode::kSuccess;
  auto session = ConnectSession(options, code);
  if (!session) return code;
  const int profile = session->State().current_profile;
  std::string name;
  GetProfileName(session->Store(), profile, name);
  const std::string word = session->Context().Language().GetText(text_id::kProfile);
  ordered_json out{{"profile", profile},
                   {"name", ui::DisplayedProfileName(name, word)},
                   {"dpi", DpiJson(session->Store(), profile)},
                   {"lighting", LightingJson(session->Store(), profile, session->Context().Language())},
                   {"config", ConfigJson(session->Store(), profile)}};
  if (options.json) {
    std::cout << JsonText(out, 2) << '\n';
  } else {
    std::cout << "Profile " << profile << ": " << out["name"].get<std::string>() << '\n';
    PrintDpi(out["dpi"], "  ");
    PrintLighting(out["lighting"], "  ");
    std::cout << "Keys:\n";
    PrintKeys(out["config"], "  ");
  }
  CliSession::Finish(std::move(session));
  return ExitCode::kSuccess;
}

// Picking a model, as a click in the device list does: refused with text 56
// when no linked device of that type is present.
ExitCode RunSelect(const CliOptions& options, int device_type) {
  ExitCode result = ExitCode::kSuccess;
  auto session = ConnectSession(options, result);
  if (!session) return result;
  if (!session->Manager().HasLinkedType(device_type)) {
    result = Fail({session->Context().Language().GetText(text_id::kNotLinked), ExitCode::kNoMouse});
  } else {
    session->State().current_type = device_type;
    SetCurrentType(session->Context().Settings(), device_type);
    // The device list's refresh selects the stored type; a receiver's mouse
    // is then read back as the device pages do when opened.
    session->Run(kTaskArrivalScan);
    std::cout << ModelName(*session, device_type) << " (" << device_type
              << ") selected: " << session->Context().Language().GetText(session->State().StatusText()) << '\n';
  }
  CliSession::Finish(std::move(session));
  return result;
}

// Prints one line per event as it happens.
class EventPrinter final : public WorkerEvents {
 public:
  explicit EventPrinter(bool json) : json_(json) {}
  void SetLanguage(const LanguageCatalog* language) { language_ = language; }

  void StatusChanged(int text_id) override {
    Print({{"event", "status"},
           {"status_text_id", text_id},
           {"status_text", language_ ? language_->GetText(text_id) : std::string()}});
  }
  void DeviceListChanged() override {}
  void DeviceViewChanged(bool, bool) override {}
  void BatteryChanged(int battery_a, int battery_b) override {
    Print({{"event", "battery"}, {"battery_a", battery_a}, {"battery_b", battery_b}});
  }
  void RefreshPages(unsigned) override {}
  void CloseTransientWindows() override {}
  void LinkChanged(int device_type, bool linked) override {
    Print({{"event", linked ? "link" : "unlink"}, {"device_type", device_type}});
  }
  void DpiButtonPressed(int count, int index) override {
    Print({{"event", "dpi"}, {"count", count}, {"index", index}});
  }
  void TaskFinished(TaskCode code, bool succeeded) override {
    if (code == kTaskStartupScan || code == kTaskArrivalScan || code == kTaskRemovalRefresh) {
      Print({{"event", code == kTaskRemovalRefresh ? "removal" : "arrival"}, {"mouse_reachable", succeeded}});
    }
  }

 private:
  void Print(const ordered_json& line) {
    std::lock_guard lock(mutex_);
    if (json_) {
      std::cout << JsonText(line) << std::endl;
      return;
    }
    std::cout << line["event"].get<std::string>();
    for (const auto& [key, value] : line.items()) {
      if (key != "event")
        std::cout << "  " << key << "=" << (value.is_string() ? value.get<std::string>() : JsonText(value));
    }
    std::cout << std::endl;
  }

  bool json_;
  const LanguageCatalog* language_ = nullptr;
  std::mutex mutex_;
};

// Posted by SIGINT and SIGTERM (sem_post may be called from a signal
// handler); watch sleeps on it, so it wakes only to end.
sem_t g_interrupted;

ExitCode RunWatch(const CliOptions& options, int seconds) {
  std::optional<Failure> failure;
  EventPrinter printer(options.json);
  auto session = CliSession::Open(options, &printer, failure);
  if (!session) return Fail(*failure);
  printer.SetLanguage(&session->Context().Language());
  if (HotplugSource* hotplug = session->Hotplug()) {
    CliSession* raw = session.get();
    hotplug->SetListener([raw](const HotplugEvent& event) {
      UpdateUSBDevice(event, raw->Catalog(), raw->Transport(), raw->State(), raw->Queue());
    });
  }
  session->Connect();
  sem_init(&g_interrupted, 0, 0);
  std::signal(SIGINT, [](int) { sem_post(&g_interrupted); });
  std::signal(SIGTERM, [](int) { sem_post(&g_interrupted); });
  timespec deadline{};
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  deadline.tv_sec += seconds;
  // A signal that interrupts the wait posts before it returns (EINTR), so
  // only a post or the deadline ends the watch.
  int waited = 0;
  do {
    waited = seconds > 0 ? sem_clockwait(&g_interrupted, CLOCK_MONOTONIC, &deadline) : sem_wait(&g_interrupted);
  } while (waited != 0 && errno == EINTR);
  CliSession::Finish(std::move(session));
  return ExitCode::kSuccess;
}

}  // namespace

void AddConnectionCommands(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  app.add_subcommand("status", "Connect and show the connection state")->callback([&] {
    exit_code = RunStatus(options);
  });
  app.add_subcommand("show", "Connect and show the current profile's settings")->callback([&] {
    exit_code = RunShow(options);
  });
  auto* select = app.add_subcommand("select", "Make a model (its device type) the current one");
  auto type = std::make_shared<int>(0);
  select->add_option("TYPE", *type, "Device type of the model, as `korvanectl catalog` lists it")->required();
  select->callback([&options, &exit_code, type] { exit_code = RunSelect(options, *type); });
  auto* watch = app.add_subcommand("watch", "Stay connected and print every event as it happens");
  auto seconds = std::make_shared<int>(0);
  watch->add_option("--seconds", *seconds, "Stop after this many seconds (default: until interrupted)");
  watch->callback([&options, &exit_code, seconds] { exit_code = RunWatch(options, *seconds); });
}

}  // namespace korvane::cli
