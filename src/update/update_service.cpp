#include "update/update_service.hpp"

#include "common/text_ids.hpp"
#include "update/software_update.hpp"
#include "update/versions.hpp"

namespace korvane {

UpdateService::UpdateService(SoftwareSource software, std::filesystem::path temp_folder, UpdateEvents& events)
    : software_(std::move(software)), temp_folder_(std::move(temp_folder)), events_(events) {}

void UpdateService::Register(DeviceWorker& worker) {
  worker.Register(kTaskCheckSoftware, [this] { return CheckSoftware(); });
  worker.Register(kTaskCheckFirmware, [this, &worker] { return CheckFirmware(worker); });
  worker.Register(kTaskDownloadSoftware, [this] { return DownloadSoftware(); });
  worker.Register(kTaskUpgradeFirmware, [this, &worker] { return UpgradeFirmware(worker); });
}

void UpdateService::UseLocalImage(std::filesystem::path image) {
  const std::lock_guard lock(mutex_);
  local_image_ = std::move(image);
}

std::string UpdateService::OfferedSoftware() const {
  const std::lock_guard lock(mutex_);
  return offered_software_;
}

std::string UpdateService::OfferedFirmware() const {
  const std::lock_guard lock(mutex_);
  return offered_firmware_;
}

bool UpdateService::CheckSoftware() {
  {
    const std::lock_guard lock(mutex_);
    offered_software_.clear();
  }
  const std::optional<std::string> offered =
      FetchOfferedVersion(downloader_, SoftwareVersionUrl(software_.address), kMaxSoftwareVersionLength);
  if (!offered) return false;
  {
    const std::lock_guard lock(mutex_);
    offered_software_ = *offered;
  }
  events_.SoftwareChecked(*offered, IsNewerVersion(software_.installed_version, *offered));
  return true;
}

bool UpdateService::CheckFirmware(DeviceWorker& worker) {
  {
    const std::lock_guard lock(mutex_);
    offered_firmware_.clear();
  }
  const WorkerContext& context = worker.Context();
  const std::string address = context.model.Get().firmware_url;
  if (address.empty()) return false;
  const std::optional<std::string> offered =
      FetchOfferedVersion(downloader_, FirmwareVersionUrl(address), kMaxFirmwareVersionLength);
  if (!offered) return false;
  {
    const std::lock_guard lock(mutex_);
    offered_firmware_ = *offered;
  }
  const std::string installed = DeviceFirmwareVersion(context.manager, context.state.ReceiverVersion());
  if (installed.empty()) return false;
  events_.FirmwareChecked(installed, *offered, IsNewerVersion(installed, *offered));
  return true;
}

bool UpdateService::DownloadSoftware() {
  const std::string version = OfferedSoftware();
  if (version.empty()) {
    events_.SoftwareDownloaded(UpdateProblem::kDownload, {});
    return false;
  }
  const SoftwareDownload download = DownloadSoftwareUpdate(downloader_, software_.address, version, temp_folder_,
                                                           [this](int percent) { events_.DownloadProgress(percent); });
  events_.SoftwareDownloaded(download.problem, download.installer);
  return download.problem == UpdateProblem::kNone;
}

bool UpdateService::UpgradeFirmware(DeviceWorker& worker) {
  const WorkerContext& context = worker.Context();
  const UpgradeStep step = [this](int text_id, int percent) { events_.UpgradeStepped(text_id, percent); };
  std::optional<std::filesystem::path> local_image;
  {
    const std::lock_guard lock(mutex_);
    local_image.swap(local_image_);
  }
  UpdateProblem problem = UpdateProblem::kNone;
  if (local_image) {
    const std::optional<std::vector<std::uint8_t>> image = ReadFirmwareImage(*local_image);
    problem = image ? FlashFirmwareImage(context.manager, context.sleeper, *image, step) : UpdateProblem::kUnpack;
    if (problem == UpdateProblem::kNone) step(text_id::kUpgradeFinished, 100);
  } else {
    const FirmwareSource source{context.model.Get().firmware_url, OfferedFirmware(), temp_folder_};
    problem = source.version.empty() || source.address.empty()
                  ? UpdateProblem::kDownload
                  : korvane::UpgradeFirmware(downloader_, context.manager, context.sleeper, source, step,
                                             [this](int percent) { events_.DownloadProgress(percent); });
  }
  events_.UpgradeEnded(problem);
  return problem == UpdateProblem::kNone;
}

}  // namespace korvane
