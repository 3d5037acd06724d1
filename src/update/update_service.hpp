#pragma once

#include <filesystem>
#include <mutex>
#include <optional>
#include <string>

#include "update/firmware_upgrade.hpp"
#include "update/http_downloader.hpp"
#include "update/update_problem.hpp"
#include "worker/device_worker.hpp"

namespace korvane {

// What the update tasks report. Called on the worker thread; an
// implementation must not block (the desktop posts each call to its UI
// thread).
class UpdateEvents {
 public:
  virtual ~UpdateEvents() = default;

  // A version file was read: the offered version and whether it is newer
  // than the installed one. Not called when no version could be read.
  virtual void SoftwareChecked(const std::string& offered, bool newer) = 0;
  virtual void FirmwareChecked(const std::string& installed, const std::string& offered, bool newer) = 0;
  // Progress of a running download, 0 to 100.
  virtual void DownloadProgress(int percent) = 0;
  // The software download ended: the installer to open, or why there is none.
  virtual void SoftwareDownloaded(UpdateProblem problem, const std::filesystem::path& installer) = 0;
  // A step of the firmware upgrade (language text, percentage).
  virtual void UpgradeStepped(int text_id, int percent) = 0;
  // The firmware upgrade ended; kNone when every report went out.
  virtual void UpgradeEnded(UpdateProblem problem) = 0;
};

// Where the program's own updates come from.
struct SoftwareSource {
  std::string installed_version;  // the running program's version
  std::string address;            // the update server's base address
};

// The update tasks of the device worker: software check (23), firmware
// check (24, also the last step of a connection refresh), software download
// (26) and firmware upgrade (27). It keeps the versions last offered, which
// the user interface reads to phrase its questions.
class UpdateService final {
 public:
  UpdateService(SoftwareSource software, std::filesystem::path temp_folder, UpdateEvents& events);
  UpdateService(const UpdateService&) = delete;
  UpdateService& operator=(const UpdateService&) = delete;

  void Register(DeviceWorker& worker);

  // Stops a running download; any thread.
  void CancelDownload() { downloader_.Cancel(); }

  // The next firmware upgrade flashes this image file instead of the
  // offered package (korvanectl's --file).
  void UseLocalImage(std::filesystem::path image);

  std::string OfferedSoftware() const;
  std::string OfferedFirmware() const;

 private:
  bool CheckSoftware();
  bool CheckFirmware(DeviceWorker& worker);
  bool DownloadSoftware();
  bool UpgradeFirmware(DeviceWorker& worker);

  const SoftwareSource software_;
  const std::filesystem::path temp_folder_;
  UpdateEvents& events_;
  HttpDownloader downloader_;
  mutable std::mutex mutex_;  // guards the fields below
  std::string offered_software_;
  std::string offered_firmware_;
  std::optional<std::filesystem::path> local_image_;
};

}  // namespace korvane
