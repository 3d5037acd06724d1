// Commands that connect to the mouse as the desktop application does:
// status, show, select and watch.
#include <semaphore.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <ctime>
#include <iomanip>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "catalog/catalog_file.hpp"
#include "catalog/current_model.hpp"
#include "cli_help.hpp"
#include "cli_json.hpp"
#include "cli_options.hpp"
#include "cli_session.hpp"
#include "commands.hpp"
#include "common/text_ids.hpp"
#include "device/sensor_dpi_table.hpp"
#include "performance/dpi_model.hpp"
#include "performance/rate_model.hpp"
#include "performance_json.hpp"
#include "platform/paths.hpp"
#include "setting_command.hpp"
#include "settings_text.hpp"
#include "store/config_table.hpp"
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

// The connection in the user's words: "wired", "wireless receiver, mouse
// linked" ...
std::string ConnectionText(int mode, bool mouse_linked) {
  switch (mode) {
    case kWired:
      return "wired";
    case kReceiver:
      return mouse_linked ? "wireless receiver, mouse linked" : "wireless receiver, waiting for the mouse";
    default:
      return "none";
  }
}

void PrintStatus(CliSession& session, const ordered_json& out) {
  constexpr int kLabelWidth = 20;
  const auto line = [](const std::string& label, const std::string& value) {
    std::cout << "  " << std::left << std::setw(kLabelWidth) << label + ":" << value << '\n';
  };
  const std::string model = out["model"].get<std::string>();
  std::cout << (model.empty() ? "" : model + ": ") << out["status_text"].get<std::string>() << '\n';
  const int mode = session.Manager().GetConnectionMode();
  line("connection", ConnectionText(mode, out["mouse_linked"].get<bool>()));
  if (mode < 0) return;
  const int battery = out["battery_a"].get<int>();
  // 0 carries no battery value (a wired mouse without a battery, say).
  if (battery > 0) line("battery", std::to_string(std::min(battery, 100)) + " %");
  const int rate = ConfigInt(session.Store(), session.State().current_profile, ConfigKey::kReportRate);
  if (!out["mouse_linked"].get<bool>()) {
    // The rates offered and the sensor are the mouse's to tell.
    line("report rate", RateText(rate));
  } else {
    line("report rate", RateText(rate) + " (this mouse offers up to " +
                            std::to_string(OfferedRates(out["rate_capability"].get<int>()).back().hertz) + " Hz)");
    const SensorDpiRow& sensor = CurrentSensorRow(session.State());
    line("sensor", std::to_string(out["sensor_id"].get<int>()) + ", " + std::to_string(sensor.min_dpi) + " to " +
                       std::to_string(sensor.max_dpi) + " DPI");
  }
  const std::string version = session.State().ReceiverVersion();
  if (!version.empty()) line("receiver firmware", version);
}

ExitCode RunStatus(const CliOptions& options) {
  ExitCode code = ExitCode::kSuccess;
  auto session = ConnectSession(options, code);
  if (!session) return code;
  const ordered_json out = StatusJson(*session);
  if (options.json) {
    std::cout << JsonText(out, 2) << '\n';
  } else {
    PrintStatus(*session, out);
  }
  CliSession::Finish(std::move(session));
  return ExitCode::kSuccess;
}

ExitCode RunShow(const CliOptions& options, bool keys) {
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
    PrintProfileSettings(*session, out, keys);
  }
  CliSession::Finish(std::move(session));
  return ExitCode::kSuccess;
}

// The model a word names: its device type, its device_attr or its name (in
// any case).
const CatalogEntry* NamedModel(const DeviceCatalog& catalog, const std::string& word) {
  const auto lower = [](std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
  };
  for (const CatalogEntry& model : catalog.models) {
    if (word == std::to_string(model.device_type) || lower(word) == lower(model.device_attr) ||
        lower(word) == lower(model.name)) {
      return &model;
    }
  }
  return nullptr;
}

// Picking a model, as a click in the device list does: a model the catalog
// does not have is a usage error naming the models it has; one without a
// linked mouse is refused with text 56.
ExitCode RunSelect(const CliOptions& options, const std::string& word) {
  LoadReport report;
  const DeviceCatalog catalog = ReadCatalogFile(CatalogFilePath(ResourcesFolder(options.resources)), {}, report);
  if (!report.loaded) return Fail({"cannot read " + report.file.string() + ": " + report.error, ExitCode::kFile});
  const CatalogEntry* model = NamedModel(catalog, word);
  if (!model) {
    std::string known;
    for (const CatalogEntry& entry : catalog.models) {
      known += (known.empty() ? "" : ", ") + std::to_string(entry.device_type) + " " + entry.name;
    }
    return Fail("no model \"" + word + "\"; the models are " + known + " (korvanectl catalog shows them)");
  }
  const int device_type = model->device_type;
  ExitCode result = ExitCode::kSuccess;
  // The model is named: the one stored before does not matter.
  auto session = ConnectSession(options, result, nullptr, false);
  if (!session) return result;
  if (!session->Manager().HasLinkedType(device_type)) {
    result = Fail({session->Context().Language().GetText(text_id::kNotLinked), ExitCode::kNoMouse});
  } else {
    session->State().current_type = device_type;
    SetCurrentType(session->Context().Settings(), device_type);
    // The device list's refresh selects the stored type; a receiver's mouse
    // is then read back as the device pages do when opened.
    session->Run(kTaskArrivalScan);
    const int text_id = session->State().StatusText();
    const std::string status = session->Context().Language().GetText(text_id);
    const std::string name = ModelName(*session, device_type);
    PrintConfirmation(
        options,
        Confirm("model", name + " (" + std::to_string(device_type) + ") selected: " + status,
                {{"device_type", device_type}, {"model", name}, {"status_text_id", text_id}, {"status_text", status}}));
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

  // Watch stepped aside for a command, and came back.
  void Paused() { Print({{"event", "pause"}, {"reason", "another command is using the mouse"}}); }
  void Resumed(bool mouse_reachable, int text_id) {
    Print({{"event", "resume"},
           {"mouse_reachable", mouse_reachable},
           {"status_text_id", text_id},
           {"status_text", language_ ? language_->GetText(text_id) : std::string()}});
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

// Posted by SIGINT and SIGTERM, and by a command that waits for the mouse
// (kStepAsideSignal), each setting its flag first; sem_post may be called
// from a signal handler. Watch sleeps on it, so it wakes only when there is
// something to do.
sem_t g_wake;
volatile std::sig_atomic_t g_stop = 0;
volatile std::sig_atomic_t g_step_aside = 0;

// Sleeps until a post or the deadline (CLOCK_REALTIME); false at the
// deadline. A signal that interrupts the wait posts before it returns
// (EINTR). sem_timedwait rather than sem_clockwait: the thread sanitizer
// holds signals back during calls it does not intercept, and sem_clockwait
// is one, so a watch built with it would never hear a waiting command.
bool WaitPost(const std::optional<timespec>& deadline) {
  int waited = 0;
  do {
    waited = deadline ? sem_timedwait(&g_wake, &*deadline) : sem_wait(&g_wake);
  } while (waited != 0 && errno == EINTR);
  return waited == 0;
}

timespec ClockIn(std::chrono::milliseconds wait) {
  timespec at{};
  clock_gettime(CLOCK_REALTIME, &at);
  const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
  at.tv_sec += static_cast<time_t>(nanoseconds / 1'000'000'000);
  at.tv_nsec += static_cast<long>(nanoseconds % 1'000'000'000);
  if (at.tv_nsec >= 1'000'000'000) {
    ++at.tv_sec;
    at.tv_nsec -= 1'000'000'000;
  }
  return at;
}

bool Before(const timespec& a, const timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// How often a watch that stepped aside looks whether the mouse is free.
constexpr auto kReturnCheck = std::chrono::milliseconds(100);

// Stays connected and prints the events. A command that waits for the mouse
// asks watch to step aside: it closes the mouse and lets go of it, and once
// nobody waits, connects again. Only that scan's outcome is printed, as one
// "resume" line, so that a script acting on "arrival" is not set off by a
// command of its own.
ExitCode RunWatch(const CliOptions& options, int seconds) {
  sem_init(&g_wake, 0, 0);
  std::signal(SIGINT, [](int) {
    g_stop = 1;
    sem_post(&g_wake);
  });
  std::signal(SIGTERM, [](int) {
    g_stop = 1;
    sem_post(&g_wake);
  });
  // Before the session tells other commands that this one steps aside.
  std::signal(kStepAsideSignal, [](int) {
    g_step_aside = 1;
    sem_post(&g_wake);
  });
  std::optional<Failure> failure;
  EventPrinter printer(options.json);
  auto session = CliSession::Open(options, &printer, failure, true);
  if (!session) return Fail(*failure);
  printer.SetLanguage(&session->Context().Language());
  session->FollowHotplug();
  session->Connect();
  const std::optional<timespec> deadline =
      seconds > 0 ? std::optional(ClockIn(std::chrono::seconds(seconds))) : std::nullopt;
  while (!g_stop && WaitPost(deadline)) {
    if (g_stop || !g_step_aside) continue;
    g_step_aside = 0;
    if (!session->OthersWaiting()) continue;
    // Told first, so that the line comes before the command has the mouse.
    printer.Paused();
    session->Pause();
    bool back = false;
    bool ended = false;
    while (!g_stop && !back && !ended) {
      const timespec next = ClockIn(kReturnCheck);
      WaitPost(deadline && Before(*deadline, next) ? *deadline : next);
      ended = deadline && !Before(ClockIn(std::chrono::milliseconds(0)), *deadline);
      if (!g_stop && !ended) back = session->Resume();
    }
    if (back) printer.Resumed(session->Manager().GetConnectionMode() >= 0, session->State().StatusText());
    if (ended) break;
  }
  CliSession::Finish(std::move(session));
  return ExitCode::kSuccess;
}

}  // namespace

void AddConnectionCommands(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  auto* status = app.add_subcommand("status", "Connect and show the connection state");
  status->group(kDeviceGroup);
  SetExamples(*status, {{"korvanectl status", "model, connection, battery, report rate and sensor"},
                        {"korvanectl status --json", "the same for scripts"}});
  status->callback([&] { exit_code = RunStatus(options); });
  auto* show = app.add_subcommand("show", "Connect and show the current profile's settings");
  show->group(kSettingsGroup);
  SetExamples(*show, {{"korvanectl show", "report rate, DPI levels, sensor, power and lighting"},
                      {"korvanectl show --keys", "also every stored key"},
                      {"korvanectl show --json", "the same for scripts"}});
  auto keys = std::make_shared<bool>(false);
  show->add_flag("--keys", *keys, "Also list every stored key and value");
  show->callback([&options, &exit_code, keys] { exit_code = RunShow(options, *keys); });
  auto* select = app.add_subcommand("select", "Make a model the current one");
  select->group(kDeviceGroup);
  SetExamples(*select, {{"korvanectl select korvane_slate", "the model by its device_attr"},
                        {"korvanectl select 203", "the same model by its device type"}});
  auto model = std::make_shared<std::string>();
  select->add_option("MODEL", *model, "Device type, device_attr or name of the model, as `korvanectl catalog` lists it")
      ->required();
  select->callback([&options, &exit_code, model] { exit_code = RunSelect(options, *model); });
  auto* watch = app.add_subcommand("watch", "Stay connected and print every event as it happens");
  watch->group(kDeviceGroup);
  SetExamples(*watch, {{"korvanectl watch", "one line per event until Ctrl-C; other commands still run"},
                       {"korvanectl watch --seconds 60 --json", "a minute of events as JSON lines"}});
  auto seconds = std::make_shared<int>(0);
  watch->add_option("--seconds", *seconds, "Stop after this many seconds (default: until interrupted)");
  watch->callback([&options, &exit_code, seconds] { exit_code = RunWatch(options, *seconds); });
}

}  // namespace korvane::cli
