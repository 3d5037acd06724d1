// The update commands: update check and update download for the program,
// firmware upgrade for the mouse, over the same functions and worker tasks
// the update page uses.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <iomanip>
#include <iostream>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "catalog/catalog_file.hpp"
#include "catalog/current_model.hpp"
#include "cli_help.hpp"
#include "cli_json.hpp"
#include "cli_options.hpp"
#include "cli_session.hpp"
#include "commands.hpp"
#include "platform/desktop_opener.hpp"
#include "update/firmware_upgrade.hpp"
#include "update/software_update.hpp"
#include "update/update_service.hpp"
#include "update/versions.hpp"

namespace korvane::cli {

namespace {

using nlohmann::ordered_json;

// Longest wait for a firmware upgrade: the package's download (whose
// transfer gives up after a minute without data) and the flash of the
// largest image, report by report.
constexpr auto kUpgradeTimeout = std::chrono::minutes(10);
constexpr int kBarWidth = 30;

// Progress on standard error: on a terminal a bar redrawn in place, else
// one line per new percentage. Any thread.
class ProgressLine {
 public:
  ProgressLine() : terminal_(::isatty(STDERR_FILENO) == 1) {}
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void Show(const std::string& label, int percent) {
    percent = std::clamp(percent, 0, 100);
    const std::lock_guard lock(mutex_);
    if (label == label_ && percent == percent_) return;
    if (!terminal_) {
      std::cerr << label << ": " << percent << "%\n";
    } else {
      if (label != label_ && !label_.empty()) std::cerr << '\n';
      const int filled = percent * kBarWidth / 100;
      std::cerr << '\r' << label << ": [" << std::string(static_cast<std::size_t>(filled), '#')
                << std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') << "] " << std::setw(3) << percent
                << '%' << std::flush;
    }
    label_ = label;
    percent_ = percent;
  }

  // Ends a bar left open on the terminal, so the next line starts clean.
  void End() {
    const std::lock_guard lock(mutex_);
    if (terminal_ && !label_.empty()) std::cerr << '\n';
    label_.clear();
    percent_ = -1;
  }

 private:
  const bool terminal_;
  std::mutex mutex_;
  std::string label_;
  int percent_ = -1;
};

// An update problem's line, and its code: a problem with the download or the
// package is a file problem, the rest happened at the mouse.
Failure ProblemFailure(const AppContext& context, UpdateProblem problem) {
  const bool at_mouse = problem == UpdateProblem::kNoInterface || problem == UpdateProblem::kStartRefused ||
                        problem == UpdateProblem::kWriteFailed;
  return Failure(context.Language().GetText(ProblemTextId(problem)), at_mouse ? ExitCode::kMouse : ExitCode::kFile);
}

// The program's version and update address, from config.xml.
std::optional<SoftwareSource> ReadSoftwareSource(const AppContext& context) {
  LoadReport report;
  const DeviceCatalog catalog = ReadCatalogFile(CatalogFilePath(context.Resources()), context.SkinFolder(), report);
  if (!report.loaded) {
    PrintError("cannot read " + report.file.string() + ": " + report.error);
    return std::nullopt;
  }
  return SoftwareSource{catalog.version, catalog.upgrade_url};
}

// What a check found; an unknown version is nullopt.
struct VersionCheck {
  std::optional<std::string> installed;
  std::optional<std::string> offered;
};

// The version a server offers, or one line on standard error naming the
// server when none could be read.
std::optional<std::string> OfferedVersion(HttpDownloader& downloader, const std::string& url, std::size_t max_length,
                                          const std::string& what) {
  std::optional<std::string> offered = FetchOfferedVersion(downloader, url, max_length);
  if (!offered) PrintError("cannot read the offered " + what + " version from " + url);
  return offered;
}

// The connected mouse's firmware version and the one its model's server
// offers; both unknown without a reachable mouse.
VersionCheck CheckFirmware(const CliOptions& options, HttpDownloader& downloader) {
  std::optional<Failure> failure;
  auto session = CliSession::Open(options, nullptr, failure);
  if (!session) {
    PrintError(failure->text);
    return {};
  }
  session->Connect();
  VersionCheck check;
  if (session->Manager().GetConnectionMode() < 0) {
    PrintError("no mouse is reachable; its firmware version is unknown");
  } else {
    const std::string installed = DeviceFirmwareVersion(session->Manager(), session->State().ReceiverVersion());
    if (!installed.empty()) check.installed = installed;
    const std::string address = session->Model().Get().firmware_url;
    if (!address.empty()) {
      check.offered = OfferedVersion(downloader, FirmwareVersionUrl(address), kMaxFirmwareVersionLength, "firmware");
    }
  }
  CliSession::Finish(std::move(session));
  return check;
}

std::optional<bool> Newer(const VersionCheck& check) {
  if (!check.installed || !check.offered) return std::nullopt;
  return IsNewerVersion(*check.installed, *check.offered);
}

ordered_json CheckJson(const VersionCheck& check) {
  const auto text = [](const std::optional<std::string>& value) {
    return value ? ordered_json(*value) : ordered_json();
  };
  const std::optional<bool> newer = Newer(check);
  return {{"installed", text(check.installed)},
          {"offered", text(check.offered)},
          {"newer", newer ? ordered_json(*newer) : ordered_json()}};
}

void PrintCheck(const std::string& name, const VersionCheck& check) {
  std::cout << name << ": installed " << check.installed.value_or("unknown") << ", offered "
            << check.offered.value_or("unknown");
  if (const std::optional<bool> newer = Newer(check)) std::cout << (*newer ? " (newer)" : " (not newer)");
  std::cout << '\n';
}

// Reports what it could learn: an unknown version is said on standard error
// and shown as unknown, and the check still succeeds.
ExitCode RunCheck(const CliOptions& options) {
  const auto context = OpenContext(options);
  const std::optional<SoftwareSource> source = ReadSoftwareSource(*context);
  if (!source) return ExitCode::kFile;
  HttpDownloader downloader;
  VersionCheck software;
  if (!source->installed_version.empty()) software.installed = source->installed_version;
  if (!source->address.empty()) {
    software.offered =
        OfferedVersion(downloader, SoftwareVersionUrl(source->address), kMaxSoftwareVersionLength, "software");
  }
  const VersionCheck firmware = CheckFirmware(options, downloader);
  if (options.json) {
    const ordered_json out{{"software", CheckJson(software)}, {"firmware", CheckJson(firmware)}};
    std::cout << JsonText(out, 2) << '\n';
  } else {
    PrintCheck("Software", software);
    PrintCheck("Firmware", firmware);
  }
  return ExitCode::kSuccess;
}

ExitCode RunDownload(const CliOptions& options, bool install) {
  const auto context = OpenContext(options);
  const std::optional<SoftwareSource> source = ReadSoftwareSource(*context);
  if (!source) return ExitCode::kFile;
  if (source->address.empty()) {
    return Fail({CatalogFilePath(context->Resources()).string() + " names no update address; nothing to download",
                 ExitCode::kFile});
  }
  HttpDownloader downloader;
  const std::optional<std::string> offered =
      OfferedVersion(downloader, SoftwareVersionUrl(source->address), kMaxSoftwareVersionLength, "software");
  if (!offered) return Fail({"no update is offered; nothing was downloaded", ExitCode::kFile});
  ProgressLine progress;
  const std::string label = "Downloading " + *offered;
  const SoftwareDownload download =
      DownloadSoftwareUpdate(downloader, source->address, *offered, TempFolder(context->DataFolder()),
                             [&](int percent) { progress.Show(label, percent); });
  progress.End();
  if (download.problem != UpdateProblem::kNone) return Fail(ProblemFailure(*context, download.problem));
  std::cout << download.installer.string() << '\n';
  if (install && !OpenWithDesktop(download.installer)) {
    return Fail(ProblemFailure(*context, UpdateProblem::kInstallerStart));
  }
  return ExitCode::kSuccess;
}

// Takes the update tasks' reports for the firmware upgrade: the last check,
// the progress, and how the upgrade ended.
class UpgradeReporter final : public UpdateEvents {
 public:
  struct FirmwareOffer {
    std::string installed;
    std::string offered;
    bool newer = false;
  };

  void SoftwareChecked(const std::string&, bool) override {}
  void FirmwareChecked(const std::string& installed, const std::string& offered, bool newer) override {
    const std::lock_guard lock(mutex_);
    checked_ = FirmwareOffer{installed, offered, newer};
  }
  void DownloadProgress(int percent) override { progress_.Show("Downloading firmware", percent); }
  void SoftwareDownloaded(UpdateProblem, const std::filesystem::path&) override {}
  void UpgradeStepped(int, int percent) override { progress_.Show("Updating firmware", percent); }
  void UpgradeEnded(UpdateProblem problem) override {
    progress_.End();
    {
      const std::lock_guard lock(mutex_);
      ended_ = problem;
    }
    ended_changed_.notify_all();
  }

  // The outcome of the next check (task 24); nullopt when it offered
  // nothing or the mouse's version is unknown.
  std::optional<FirmwareOffer> Check(CliSession& session) {
    {
      const std::lock_guard lock(mutex_);
      checked_.reset();
    }
    session.Run(kTaskCheckFirmware);
    const std::lock_guard lock(mutex_);
    return checked_;
  }

  // How the upgrade ended; nullopt when it did not end in time.
  std::optional<UpdateProblem> WaitEnded(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    ended_changed_.wait_for(lock, timeout, [this] { return ended_.has_value(); });
    return ended_;
  }

 private:
  ProgressLine progress_;
  std::mutex mutex_;
  std::condition_variable ended_changed_;
  std::optional<FirmwareOffer> checked_;
  std::optional<UpdateProblem> ended_;
};

// Why no offered firmware may be flashed; nullopt when one may.
std::optional<Failure> RefuseOffer(CliSession& session, const UpdateService& service,
                                   const std::optional<UpgradeReporter::FirmwareOffer>& offer) {
  const std::string address = session.Model().Get().firmware_url;
  if (address.empty()) return "the mouse's model names no firmware address; give an image with --file";
  if (service.OfferedFirmware().empty()) {
    return Failure("no firmware is offered at " + FirmwareVersionUrl(address), ExitCode::kFile);
  }
  if (!offer) {
    return Failure("the mouse's firmware version is unknown; give an image with --file to flash it anyway",
                   ExitCode::kMouse);
  }
  if (!offer->newer) {
    return "the mouse's firmware " + offer->installed + " is up to date (offered: " + offer->offered +
           "); give an image with --file to flash one anyway";
  }
  return std::nullopt;
}

ExitCode RunUpgrade(const CliOptions& options, const std::optional<std::filesystem::path>& image) {
  if (image && !ReadFirmwareImage(*image)) {
    return Fail({image->string() + ": cannot be read, is empty or holds more than " +
                     std::to_string(kMaxFirmwareImageBytes) + " bytes",
                 ExitCode::kFile});
  }
  std::optional<Failure> failure;
  auto session = CliSession::Open(options, nullptr, failure);
  if (!session) return Fail(*failure);
  // Both outlive the session's worker, whose update tasks report to them.
  auto reporter = std::make_unique<UpgradeReporter>();
  auto service =
      std::make_unique<UpdateService>(SoftwareSource{session->Catalog().version, session->Catalog().upgrade_url},
                                      TempFolder(session->Context().DataFolder()), *reporter);
  service->Register(session->Worker());
  const std::optional<int> gave_way = session->Connect();

  ExitCode result = ExitCode::kSuccess;
  if (session->Manager().GetConnectionMode() < 0) {
    result = Fail({"no mouse is reachable", ExitCode::kNoMouse});
  } else if (image && gave_way) {
    // An image is made for one model: it goes only into the model the user
    // chose, not into the one used in its place, and that choice stays.
    SetCurrentType(session->Context().Settings(), *gave_way);
    const CatalogEntry* model = FindModel(session->Catalog(), session->State().current_type);
    result = Fail({"the stored model is not connected; the image is not flashed into the " +
                       (model ? model->name : std::string("mouse")) +
                       " connected instead. If it is for that model, run korvanectl select first",
                   ExitCode::kNoMouse});
  } else if (image) {
    service->UseLocalImage(*image);
  } else {
    const std::optional<UpgradeReporter::FirmwareOffer> offer = reporter->Check(*session);
    if (const std::optional<Failure> refused = RefuseOffer(*session, *service, offer)) {
      result = Fail(*refused);
    } else {
      std::cerr << "Upgrading the firmware from " << offer->installed << " to " << offer->offered << '\n';
    }
  }
  if (result == ExitCode::kSuccess) {
    session->Run(kTaskUpgradeFirmware);
    const std::optional<UpdateProblem> ended = reporter->WaitEnded(kUpgradeTimeout);
    if (!ended) {
      result = Fail({"the firmware upgrade did not end within " +
                         std::to_string(std::chrono::duration_cast<std::chrono::minutes>(kUpgradeTimeout).count()) +
                         " minutes",
                     ExitCode::kMouse});
    } else if (*ended != UpdateProblem::kNone) {
      result = Fail(ProblemFailure(session->Context(), *ended));
    } else {
      std::cout << "The mouse's firmware was upgraded\n";
    }
  }
  if (!session->Worker().Stop()) {
    // A step still runs on the worker thread and reports to both; they stay
    // until the process ends.
    static_cast<void>(reporter.release());
    static_cast<void>(service.release());
  }
  CliSession::Finish(std::move(session));
  return result;
}

}  // namespace

void AddUpdateCommands(CLI::App& app, CliOptions& options, ExitCode& exit_code) {
  auto* update =
      app.add_subcommand("update", "Check for updates of the program and the mouse's firmware; download the program's");
  update->group(kUpdatesGroup);
  SetExamples(*update, {{"korvanectl update check", "installed and offered versions"},
                        {"korvanectl update download --install", "fetch the offered program and open its installer"}});
  update->require_subcommand(1);
  auto* check = update->add_subcommand(
      "check", "Show the installed and offered versions of the program and the mouse's firmware");
  SetExamples(*check, {{"korvanectl update check", "installed and offered versions"},
                       {"korvanectl update check --json", "the same, unknown versions as null"}});
  check->callback([&options, &exit_code] { exit_code = RunCheck(options); });
  auto* download = update->add_subcommand(
      "download", "Download and unpack the offered program update, and print the installer's path");
  SetExamples(*download, {{"korvanectl update download", "prints the unpacked installer's path"},
                          {"korvanectl update download --install", "then opens the installer"}});
  auto install = std::make_shared<bool>(false);
  download->add_flag("--install", *install, "Then open the installer with the desktop's opener (xdg-open)");
  download->callback([&options, &exit_code, install] { exit_code = RunDownload(options, *install); });

  auto* firmware = app.add_subcommand("firmware", "Upgrade the mouse's firmware");
  firmware->group(kUpdatesGroup);
  SetExamples(*firmware, {{"korvanectl firmware upgrade --yes", "flash the offered firmware when it is newer"}});
  firmware->require_subcommand(1);
  auto* upgrade = firmware->add_subcommand(
      "upgrade", "Flash the offered firmware (when newer than the mouse's) or an image file into the mouse");
  SetExamples(*upgrade, {{"korvanectl firmware upgrade --yes", "flash the offered firmware when it is newer"},
                         {"korvanectl firmware upgrade --yes --file image.bin", "flash an image file"}});
  auto yes = std::make_shared<bool>(false);
  auto image = std::make_shared<std::optional<std::filesystem::path>>();
  upgrade->add_flag("--yes", *yes, "Go ahead: the upgrade rewrites the mouse's firmware");
  upgrade->add_option("--file", *image, "Flash this firmware image instead of the offered one")->type_name("IMAGE");
  upgrade->callback([&options, &exit_code, yes, image] {
    if (!*yes) {
      exit_code = Fail(
          "firmware upgrade rewrites the mouse's firmware: keep the mouse connected until it ends, since an "
          "interrupted upgrade can leave it unusable until it is upgraded again. Add --yes to go ahead");
      return;
    }
    exit_code = RunUpgrade(options, *image);
  });
}

}  // namespace korvane::cli
