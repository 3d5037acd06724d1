#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "update/http_downloader.hpp"
#include "update/update_problem.hpp"

namespace korvane {

// The digest a server publishes beside a package: the package's URL with
// ".sha256" appended, in the format sha256sum writes ("<64 hex>  <name>").
std::string DigestUrl(const std::string& package_url);

// The lowercase digest of the first line of a sha256sum text; nullopt when
// it does not start with 64 hexadecimal digits followed by white space or
// its end.
std::optional<std::string> DigestOfSha256Sum(std::string_view text);

// The lowercase SHA-256 of a file's contents; nullopt when it cannot be read.
std::optional<std::string> FileSha256(const std::filesystem::path& file);

// Whether the downloaded package at file may be used. With a published
// digest it must match it; without one it is used only when it came over
// HTTPS (the transport vouches for it), never over plain HTTP. A package
// that may not be used is deleted.
UpdateProblem CheckPackage(HttpDownloader& downloader, const std::string& package_url,
                           const std::filesystem::path& file);

// Removes a file if it is there; a failure is not reported (what is left is
// cleaned up with the folder).
void RemoveQuietly(const std::filesystem::path& file);

// Joins a server address and a name with exactly one "/" between them.
std::string JoinUrl(std::string_view address, std::string_view name);

// Downloads the zip at url to zip and checks it as CheckPackage does.
// Progress of the download goes to sink.
UpdateProblem DownloadPackage(HttpDownloader& downloader, const std::string& url, const std::filesystem::path& zip,
                              const ProgressSink& sink);

// Unpacks a downloaded zip into folder and deletes it.
UpdateProblem UnpackPackage(const std::filesystem::path& zip, const std::filesystem::path& folder);

}  // namespace korvane
