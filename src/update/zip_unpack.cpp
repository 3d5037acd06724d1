#include "update/zip_unpack.hpp"

#include <fcntl.h>
#include <minizip/unzip.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <ctime>
#include <utility>
#include <vector>

#include "common/text.hpp"

namespace korvane {

namespace {

constexpr unsigned kUnixHost = 3;
constexpr std::size_t kReadChunk = 64 * 1024;

bool IsSlash(char c) { return c == '/' || c == '\\'; }

// A descriptor closed when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Fd& operator=(Fd&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  int Get() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }

 private:
  int fd_;
};

std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '/') continue;
    if (i > start) parts.push_back(path.substr(start, i - start));
    start = i + 1;
  }
  return parts;
}

// The folder of a target below folder_fd, created where missing; every step
// must be a real folder, never a link.
Fd OpenFolders(int folder_fd, const std::vector<std::string_view>& folders) {
  Fd current(::dup(folder_fd));
  for (const std::string_view name : folders) {
    const std::string part(name);
    if (::mkdirat(current.Get(), part.c_str(), 0755) != 0 && errno != EEXIST) return Fd();
    Fd next(::openat(current.Get(), part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!next.IsOpen()) return Fd();
    current = std::move(next);
  }
  return current;
}

bool IsSymlinkEntry(const unz_file_info64& info) {
  return (info.version >> 8) == kUnixHost && ((info.external_fa >> 16) & S_IFMT) == S_IFLNK;
}

timespec EntryTime(const unz_file_info64& info) {
  std::tm local{};
  local.tm_sec = static_cast<int>(info.tmu_date.tm_sec);
  local.tm_min = static_cast<int>(info.tmu_date.tm_min);
  local.tm_hour = static_cast<int>(info.tmu_date.tm_hour);
  local.tm_mday = static_cast<int>(info.tmu_date.tm_mday);
  local.tm_mon = static_cast<int>(info.tmu_date.tm_mon);
  local.tm_year = static_cast<int>(info.tmu_date.tm_year) - 1900;
  local.tm_isdst = -1;
  return timespec{std::mktime(&local), 0};
}

enum class EntryOutcome { kWritten, kSkipped, kOverLimit };

// Writes the current entry to target inside folder_fd, counting its bytes
// into total, which must stay within max_bytes.
EntryOutcome WriteEntry(unzFile zip, const unz_file_info64& info, int folder_fd, std::string_view target,
                        std::uint64_t& total, std::uint64_t max_bytes) {
  std::vector<std::string_view> parts = Components(target);
  const bool is_folder = target.back() == '/';
  const std::string leaf = is_folder ? std::string() : std::string(parts.back());
  if (!is_folder) parts.pop_back();
  const Fd folder = OpenFolders(folder_fd, parts);
  if (!folder.IsOpen() || is_folder) return folder.IsOpen() ? EntryOutcome::kWritten : EntryOutcome::kSkipped;

  // Replacing removes what is there (a link is removed, not followed).
  if (::unlinkat(folder.Get(), leaf.c_str(), 0) != 0 && errno != ENOENT) return EntryOutcome::kSkipped;
  const Fd out(::openat(folder.Get(), leaf.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
  if (!out.IsOpen()) return EntryOutcome::kSkipped;
  if (unzOpenCurrentFile(zip) != UNZ_OK) return EntryOutcome::kSkipped;

  std::array<char, kReadChunk> buffer;
  EntryOutcome outcome = EntryOutcome::kWritten;
  for (;;) {
    const int read = unzReadCurrentFile(zip, buffer.data(), static_cast<unsigned>(buffer.size()));
    if (read < 0) {
      outcome = EntryOutcome::kSkipped;
      break;
    }
    if (read == 0) break;
    total += static_cast<std::uint64_t>(read);
    if (total > max_bytes) {
      outcome = EntryOutcome::kOverLimit;
      break;
    }
    if (::write(out.Get(), buffer.data(), static_cast<std::size_t>(read)) != read) {
      outcome = EntryOutcome::kSkipped;
      break;
    }
  }
  // The CRC is checked when the entry is closed.
  if (unzCloseCurrentFile(zip) != UNZ_OK && outcome == EntryOutcome::kWritten) outcome = EntryOutcome::kSkipped;
  if (outcome != EntryOutcome::kWritten) {
    ::unlinkat(folder.Get(), leaf.c_str(), 0);
    return outcome;
  }
  const timespec stamp = EntryTime(info);
  const std::array<timespec, 2> times{stamp, stamp};
  ::futimens(out.Get(), times.data());
  return outcome;
}

}  // namespace

std::optional<std::string> ZipEntryTarget(std::string_view name) {
  if (name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]))) name.remove_prefix(2);
  while (!name.empty() && IsSlash(name.front())) name.remove_prefix(1);
  std::size_t cut = 0;
  for (std::size_t i = 0; i + 4 <= name.size(); ++i) {
    if (IsSlash(name[i]) && name[i + 1] == '.' && name[i + 2] == '.' && IsSlash(name[i + 3])) cut = i + 4;
  }
  name.remove_prefix(cut);
  // What followed the cut may start with slashes of its own ("a/..//x").
  while (!name.empty() && IsSlash(name.front())) name.remove_prefix(1);
  std::string target(name);
  for (char& c : target) {
    if (c == '\\') c = '/';
  }
  const std::vector<std::string_view> parts = Components(target);
  if (parts.empty()) return std::nullopt;
  for (const std::string_view part : parts) {
    if (part == "..") return std::nullopt;
  }
  return target;
}

bool UnzipAll(const std::filesystem::path& zip_path, const std::filesystem::path& folder, std::uint64_t max_bytes) {
  const Fd folder_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder_fd.IsOpen()) return false;
  unzFile zip = unzOpen64(zip_path.c_str());
  if (!zip) return false;
  std::uint64_t total = 0;
  bool within_limit = true;
  for (int at = unzGoToFirstFile(zip); at == UNZ_OK && within_limit; at = unzGoToNextFile(zip)) {
    unz_file_info64 info{};
    std::array<char, 1024> raw_name{};
    if (unzGetCurrentFileInfo64(zip, &info, raw_name.data(), raw_name.size() - 1, nullptr, 0, nullptr, 0) != UNZ_OK) {
      continue;
    }
    if (IsSymlinkEntry(info)) continue;
    const std::optional<std::string> target = ZipEntryTarget(RepairedUtf8(raw_name.data()));
    if (!target) continue;
    within_limit = WriteEntry(zip, info, folder_fd.Get(), *target, total, max_bytes) != EntryOutcome::kOverLimit;
  }
  unzClose(zip);
  return within_limit;
}

}  // namespace korvane
