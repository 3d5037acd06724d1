#include "update/firmware_upgrade.hpp"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "catalog/catalog_types.hpp"
#include "common/crc16.hpp"
#include "common/text_ids.hpp"
#include "platform/paths.hpp"
#include "update/package_fetch.hpp"

namespace korvane {

namespace {

constexpr std::uint8_t kReportId = 0x05;
constexpr std::uint8_t kUpdateKind = 0x02;
constexpr std::size_t kDataStart = 4;
constexpr std::size_t kPacketBytes = 20;
constexpr std::size_t kImageBytesPerPacket = 16;
constexpr std::size_t kPacketsPerReport = 3;
constexpr std::size_t kBytesPerReport = kPacketsPerReport * kImageBytesPerPacket;
constexpr auto kFirstReportsPause = std::chrono::milliseconds(10);
constexpr std::size_t kPausedReports = 2;

UpdateReport EmptyReport(std::uint8_t data_bytes) {
  UpdateReport report;
  report.fill(0xFF);
  report[0] = kReportId;
  report[1] = kUpdateKind;
  report[2] = data_bytes;
  report[3] = 0x00;
  return report;
}

UpdateReport CommandReport(std::uint16_t code, std::uint8_t data_bytes) {
  UpdateReport report = EmptyReport(data_bytes);
  report[kDataStart] = static_cast<std::uint8_t>(code & 0xFF);
  report[kDataStart + 1] = static_cast<std::uint8_t>(code >> 8);
  return report;
}

// Puts packet number index (of the whole image) with up to 16 bytes at
// offset of report; the bytes not given stay 0xFF and count in the CRC.
void PutPacket(UpdateReport& report, std::size_t offset, std::size_t index, std::span<const std::uint8_t> bytes) {
  report[offset] = static_cast<std::uint8_t>(index & 0xFF);
  report[offset + 1] = static_cast<std::uint8_t>((index >> 8) & 0xFF);
  std::copy(bytes.begin(), bytes.end(), report.begin() + static_cast<std::ptrdiff_t>(offset + 2));
  const std::uint16_t crc = Crc16Modbus(std::span<const std::uint8_t>(report).subspan(offset, kPacketBytes - 2));
  report[offset + kPacketBytes - 2] = static_cast<std::uint8_t>(crc & 0xFF);
  report[offset + kPacketBytes - 1] = static_cast<std::uint8_t>(crc >> 8);
}

}  // namespace

UpdateReport FirmwareStartReport() { return CommandReport(0xFF01, 2); }

UpdateReport FirmwareEndReport() { return CommandReport(0xFF02, 6); }

std::vector<UpdateReport> FirmwareImageReports(std::span<const std::uint8_t> image) {
  std::vector<UpdateReport> reports;
  reports.reserve(image.size() / kBytesPerReport + 1);
  std::size_t index = 0;
  while (!image.empty()) {
    const std::size_t packets =
        std::min(kPacketsPerReport, (image.size() + kImageBytesPerPacket - 1) / kImageBytesPerPacket);
    UpdateReport report = EmptyReport(static_cast<std::uint8_t>(packets * kPacketBytes));
    for (std::size_t p = 0; p < packets; ++p, ++index) {
      const std::size_t take = std::min(kImageBytesPerPacket, image.size());
      PutPacket(report, kDataStart + p * kPacketBytes, index, image.first(take));
      image = image.subspan(take);
    }
    reports.push_back(report);
  }
  return reports;
}

std::string FirmwarePackageName(const std::string& version) { return "firmware-" + version + ".zip"; }

std::string FirmwareImageName(const std::string& version) { return "firmware     -" + version + ".bin"; }

std::string FirmwareVersionUrl(const std::string& address) { return JoinUrl(address, "mouse/version"); }

std::string DeviceFirmwareVersion(DeviceManager& manager, const std::string& receiver_version) {
  const std::optional<DeviceEntry> entry = manager.CurrentEntry();
  if (!entry) return {};
  if (entry->connection_mode != kWired) return receiver_version;
  char text[8];
  std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(entry->release_number));
  return text;
}

bool StartFirmwareUpdate(DeviceManager& manager) {
  UpdateReport report = FirmwareStartReport();
  return manager.UpdateExchange(report);
}

bool FinishFirmwareUpdate(DeviceManager& manager) {
  UpdateReport report = FirmwareEndReport();
  return manager.UpdateExchange(report);
}

bool SendFirmwareImage(DeviceManager& manager, Sleeper& sleeper, std::span<const std::uint8_t> image,
                       const UpgradeStep& step) {
  std::vector<UpdateReport> reports = FirmwareImageReports(image);
  const std::size_t full_reports = image.size() / kBytesPerReport;
  std::size_t progress_sum = 0;
  for (std::size_t sent = 0; sent < reports.size(); ++sent) {
    if (!manager.UpdateExchange(reports[sent])) return false;
    if (sent >= full_reports) continue;  // the short last report moves nothing
    if (sent < kPausedReports) sleeper.SleepFor(kFirstReportsPause);
    progress_sum += 90;
    if (step) step(text_id::kUpgradeWriting, static_cast<int>(progress_sum / full_reports + 10));
  }
  return true;
}

UpdateProblem FlashFirmwareImage(DeviceManager& manager, Sleeper& sleeper, std::span<const std::uint8_t> image,
                                 const UpgradeStep& step) {
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  manager.GetCurrentVidPid(vendor_id, product_id);
  if (!manager.OpenUpdateInterface(vendor_id, product_id)) return UpdateProblem::kNoInterface;
  if (!StartFirmwareUpdate(manager)) return UpdateProblem::kStartRefused;
  if (!SendFirmwareImage(manager, sleeper, image, step)) return UpdateProblem::kWriteFailed;
  return FinishFirmwareUpdate(manager) ? UpdateProblem::kNone : UpdateProblem::kWriteFailed;
}

std::optional<std::vector<std::uint8_t>> ReadFirmwareImage(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size == 0 || size > kMaxFirmwareImageBytes) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  std::vector<std::uint8_t> image(static_cast<std::size_t>(size));
  if (!in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()))) return std::nullopt;
  return image;
}

UpdateProblem UpgradeFirmware(HttpDownloader& downloader, DeviceManager& manager, Sleeper& sleeper,
                              const FirmwareSource& source, const UpgradeStep& step, const ProgressSink& sink) {
  step(text_id::kUpgradeDownloading, 5);
  std::error_code error;
  std::filesystem::remove_all(source.temp_folder, error);
  if (!EnsureDirectory(source.temp_folder)) return UpdateProblem::kDownload;
  const std::string package = FirmwarePackageName(source.version);
  const std::filesystem::path zip = source.temp_folder / package;
  UpdateProblem problem = DownloadPackage(downloader, JoinUrl(JoinUrl(source.address, "mouse"), package), zip, sink);
  if (problem != UpdateProblem::kNone) return problem;
  step(text_id::kUpgradePreparing, 7);
  if (problem = UnpackPackage(zip, source.temp_folder); problem != UpdateProblem::kNone) return problem;
  const std::filesystem::path image_file = source.temp_folder / FirmwareImageName(source.version);
  const std::optional<std::vector<std::uint8_t>> image = ReadFirmwareImage(image_file);
  RemoveQuietly(image_file);
  if (!image) return UpdateProblem::kUnpack;
  step(text_id::kUpgradePreparing, 10);
  problem = FlashFirmwareImage(manager, sleeper, *image, step);
  if (problem == UpdateProblem::kNone) step(text_id::kUpgradeFinished, 100);
  return problem;
}

}  // namespace korvane
