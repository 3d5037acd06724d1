#include "update/package_fetch.hpp"

#include <array>
#include <cctype>
#include <fstream>

#include "common/sha256.hpp"
#include "update/zip_unpack.hpp"

namespace korvane {

namespace {

constexpr std::size_t kDigestLength = 64;

}  // namespace

void RemoveQuietly(const std::filesystem::path& file) {
  std::error_code error;
  std::filesystem::remove(file, error);
}

std::string DigestUrl(const std::string& package_url) { return package_url + ".sha256"; }

std::optional<std::string> DigestOfSha256Sum(std::string_view text) {
  if (text.size() < kDigestLength) return std::nullopt;
  std::string digest;
  for (std::size_t i = 0; i < kDigestLength; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!std::isxdigit(c)) return std::nullopt;
    digest.push_back(static_cast<char>(std::tolower(c)));
  }
  if (text.size() > kDigestLength && !std::isspace(static_cast<unsigned char>(text[kDigestLength]))) {
    return std::nullopt;
  }
  return digest;
}

std::optional<std::string> FileSha256(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  Sha256 sha;
  std::array<char, 64 * 1024> buffer;
  while (in) {
    in.read(buffer.data(), buffer.size());
    const auto count = static_cast<std::size_t>(in.gcount());
    sha.Update(std::span(reinterpret_cast<const std::uint8_t*>(buffer.data()), count));
  }
  if (in.bad()) return std::nullopt;
  return sha.FinishHex();
}

UpdateProblem CheckPackage(HttpDownloader& downloader, const std::string& package_url,
                           const std::filesystem::path& file) {
  std::string published;
  UpdateProblem problem = UpdateProblem::kNone;
  if (downloader.FetchText(DigestUrl(package_url), published) == FetchResult::kCompleted) {
    const std::optional<std::string> expected = DigestOfSha256Sum(published);
    if (!expected || FileSha256(file) != expected) problem = UpdateProblem::kDigestMismatch;
  } else if (package_url.rfind("https://", 0) != 0) {
    problem = UpdateProblem::kDigestMissing;
  }
  if (problem != UpdateProblem::kNone) RemoveQuietly(file);
  return problem;
}

std::string JoinUrl(std::string_view address, std::string_view name) {
  std::string url(address);
  if (url.empty() || url.back() != '/') url.push_back('/');
  while (!name.empty() && name.front() == '/') name.remove_prefix(1);
  url.append(name);
  return url;
}

UpdateProblem DownloadPackage(HttpDownloader& downloader, const std::string& url, const std::filesystem::path& zip,
                              const ProgressSink& sink) {
  switch (downloader.FetchFile(url, zip, sink)) {
    case FetchResult::kCompleted:
      break;
    case FetchResult::kCancelled:
      return UpdateProblem::kCancelled;
    default:
      return UpdateProblem::kDownload;
  }
  return CheckPackage(downloader, url, zip);
}

UpdateProblem UnpackPackage(const std::filesystem::path& zip, const std::filesystem::path& folder) {
  const bool unpacked = UnzipAll(zip, folder);
  RemoveQuietly(zip);
  return unpacked ? UpdateProblem::kNone : UpdateProblem::kUnpack;
}

}  // namespace korvane
