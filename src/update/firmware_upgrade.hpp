#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "device/device_manager.hpp"
#include "device/sleeper.hpp"
#include "update/http_downloader.hpp"
#include "update/update_problem.hpp"

namespace korvane {

// A report of the firmware-update interface: report id 5, 0x02, the number
// of data bytes from byte 4 on, 0x00, then the data; unused bytes are 0xFF.
using UpdateReport = std::array<std::uint8_t, 64>;

// An image is sent in packets of 16 bytes with a 16-bit index, so it holds
// at most 65536 packets.
inline constexpr std::size_t kMaxFirmwareImageBytes = 65536 * 16;

UpdateReport FirmwareStartReport();  // code 0xFF01
UpdateReport FirmwareEndReport();    // code 0xFF02 and four bytes 0xFF

// The data reports of an image: one per 48 bytes with three 20-byte packets
// (index, 16 image bytes, CRC-16/MODBUS over both, little-endian), then a
// last report with the 1 to 47 bytes left, its last packet filled with 0xFF.
std::vector<UpdateReport> FirmwareImageReports(std::span<const std::uint8_t> image);

// A progress step of an upgrade: a language text and a percentage.
using UpgradeStep = std::function<void(int text_id, int percent)>;

// The firmware package on the server and the image it holds (with the five
// spaces the servers' packages use).
std::string FirmwarePackageName(const std::string& version);  // firmware-<v>.zip
std::string FirmwareImageName(const std::string& version);    // firmware     -<v>.bin

// The firmware version file below a model's firmware address.
std::string FirmwareVersionUrl(const std::string& address);

// The firmware version of the mouse the commands go to: a wired mouse's
// release number as uppercase hexadecimal ("103"), a receiver's answer to
// its version command (receiver_version); empty when unknown.
std::string DeviceFirmwareVersion(DeviceManager& manager, const std::string& receiver_version);

bool StartFirmwareUpdate(DeviceManager& manager);
bool FinishFirmwareUpdate(DeviceManager& manager);

// Writes the image's reports to the open update interface, pausing 10 ms
// after each of the first two, with a step (592, percent) after each full
// report. Stops at the first report that cannot be written (false).
bool SendFirmwareImage(DeviceManager& manager, Sleeper& sleeper, std::span<const std::uint8_t> image,
                       const UpgradeStep& step);

// Opens the update interface of the current device and sends start, the
// image and end. The end command is sent only after every data report was
// written: the mouse's loader is never told to finish a partial image.
UpdateProblem FlashFirmwareImage(DeviceManager& manager, Sleeper& sleeper, std::span<const std::uint8_t> image,
                                 const UpgradeStep& step);

// Reads a firmware image file: nullopt when it is missing, empty, larger
// than kMaxFirmwareImageBytes or unreadable.
std::optional<std::vector<std::uint8_t>> ReadFirmwareImage(const std::filesystem::path& file);

// What an upgrade needs besides the device: the model's firmware address,
// the offered version and the download folder (emptied first).
struct FirmwareSource {
  std::string address;
  std::string version;
  std::filesystem::path temp_folder;
};

// The whole upgrade: steps (590, 5), download, check and unpack with
// (591, 7), the image read with (591, 10), the flash, and (593, 100) when
// it went through. Download progress goes to sink.
UpdateProblem UpgradeFirmware(HttpDownloader& downloader, DeviceManager& manager, Sleeper& sleeper,
                              const FirmwareSource& source, const UpgradeStep& step, const ProgressSink& sink);

}  // namespace korvane
