#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "update/http_downloader.hpp"
#include "update/update_problem.hpp"

namespace korvane {

// Downloads and unpacks go to the data folder's "temp" folder.
std::filesystem::path TempFolder(const std::filesystem::path& data_folder);

// The version a server's version file offers: its whole body, without the
// white space that ends it, when it is 1
// to max_length printable ASCII characters without a slash or backslash
// (it names the package files), else nullopt (nothing offered).
std::optional<std::string> FetchOfferedVersion(HttpDownloader& downloader, const std::string& url,
                                               std::size_t max_length);

// The program's package on the update server and the installer it holds.
std::string SoftwarePackageName(const std::string& version);    // Mouse-Setup-<v>.zip
std::string SoftwareInstallerName(const std::string& version);  // Mouse-Setup-<v>.deb

// The program's version file on the update server.
std::string SoftwareVersionUrl(const std::string& address);

// The outcome of DownloadSoftwareUpdate: the unpacked installer, or why
// there is none.
struct SoftwareDownload {
  UpdateProblem problem = UpdateProblem::kNone;
  std::filesystem::path installer;
};

// Downloads the package of version from the update address into
// temp_folder (created when needed), checks and unpacks it, and finds the
// installer in it. Download progress goes to sink.
SoftwareDownload DownloadSoftwareUpdate(HttpDownloader& downloader, const std::string& address,
                                        const std::string& version, const std::filesystem::path& temp_folder,
                                        const ProgressSink& sink);

}  // namespace korvane
