#include "update/software_update.hpp"

#include "platform/paths.hpp"
#include "update/package_fetch.hpp"
#include "update/versions.hpp"

namespace korvane {

std::filesystem::path TempFolder(const std::filesystem::path& data_folder) { return data_folder / "temp"; }

std::optional<std::string> FetchOfferedVersion(HttpDownloader& downloader, const std::string& url,
                                               std::size_t max_length) {
  std::string text;
  if (downloader.FetchText(url, text) != FetchResult::kCompleted) return std::nullopt;
  // A version file written by a text editor or echo ends with a line break.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '\t')) {
    text.pop_back();
  }
  if (text.empty() || text.size() > max_length) return std::nullopt;
  // The version becomes part of file names: no folders, no control characters.
  for (const char c : text) {
    if (c <= ' ' || c > '~' || c == '/' || c == '\\') return std::nullopt;
  }
  return text;
}

std::string SoftwarePackageName(const std::string& version) { return "Mouse-Setup-" + version + ".zip"; }

std::string SoftwareInstallerName(const std::string& version) { return "Mouse-Setup-" + version + ".deb"; }

std::string SoftwareVersionUrl(const std::string& address) { return JoinUrl(address, "version"); }

SoftwareDownload DownloadSoftwareUpdate(HttpDownloader& downloader, const std::string& address,
                                        const std::string& version, const std::filesystem::path& temp_folder,
                                        const ProgressSink& sink) {
  if (!EnsureDirectory(temp_folder)) return {UpdateProblem::kDownload, {}};
  const std::string package = SoftwarePackageName(version);
  const std::filesystem::path zip = temp_folder / package;
  UpdateProblem problem = DownloadPackage(downloader, JoinUrl(address, package), zip, sink);
  if (problem == UpdateProblem::kNone) problem = UnpackPackage(zip, temp_folder);
  if (problem != UpdateProblem::kNone) return {problem, {}};
  const std::filesystem::path installer = temp_folder / SoftwareInstallerName(version);
  std::error_code error;
  if (!std::filesystem::is_regular_file(installer, error)) return {UpdateProblem::kUnpack, {}};
  return {UpdateProblem::kNone, installer};
}

}  // namespace korvane
