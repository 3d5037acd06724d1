#include "platform/desktop_opener.hpp"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

extern char** environ;

namespace korvane {

namespace {

constexpr std::string_view kOpener = "xdg-open";

// The first executable regular file named kOpener in PATH's folders. Empty
// and relative entries are passed over: they would name a program in
// whatever folder the caller happens to be in.
std::optional<std::string> FindOpener() {
  const char* path = std::getenv("PATH");
  if (!path) return std::nullopt;
  const std::string_view folders(path);
  for (std::size_t start = 0; start <= folders.size();) {
    std::size_t end = folders.find(':', start);
    if (end == std::string_view::npos) end = folders.size();
    const std::string_view folder = folders.substr(start, end - start);
    start = end + 1;
    if (folder.empty() || folder.front() != '/') continue;
    const std::filesystem::path candidate = std::filesystem::path(folder) / kOpener;
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error) && ::access(candidate.c_str(), X_OK) == 0) {
      return candidate.string();
    }
  }
  return std::nullopt;
}

// In the grandchild: only async-signal-safe calls until exec. Descriptors
// this process left inheritable are not handed on. On failure the errno
// goes to report, so the caller learns the opener did not start.
[[noreturn]] void Fail(int report) {
  const int error = errno;
  [[maybe_unused]] const ssize_t written = ::write(report, &error, sizeof error);
  ::_exit(127);
}

[[noreturn]] void ExecDetached(const std::string& opener, char* const argv[], int report) {
  // Kept clear of the standard descriptors, which are replaced below.
  if (report <= STDERR_FILENO) {
    const int moved = ::fcntl(report, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    if (moved < 0) Fail(report);
    report = moved;
  }
  const auto kept = static_cast<unsigned>(report);
  if (kept > STDERR_FILENO + 1) ::close_range(STDERR_FILENO + 1, kept - 1, 0);
  ::close_range(kept + 1, ~0u, 0);
  const int null = ::open("/dev/null", O_RDWR);
  if (null >= 0 && ::dup2(null, STDIN_FILENO) >= 0 && ::dup2(null, STDOUT_FILENO) >= 0 &&
      ::dup2(null, STDERR_FILENO) >= 0) {
    if (null > STDERR_FILENO) ::close(null);
    ::execve(opener.c_str(), argv, environ);
  }
  Fail(report);
}

}  // namespace

bool OpenWithDesktop(const std::filesystem::path& file) {
  const std::optional<std::string> opener = FindOpener();
  if (!opener) return false;
  std::string name(kOpener);
  // Absolute, so that no name is taken for an option of the opener.
  std::error_code error;
  std::string argument = std::filesystem::absolute(file, error).string();
  if (error) return false;
  char* const argv[] = {name.data(), argument.data(), nullptr};

  // Closed on exec: reading it ends with nothing once the opener runs, and
  // with its errno when it could not be started.
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;
  // Output still buffered here is written once, by this process, not again
  // by a child that happens to flush its copy.
  std::fflush(nullptr);
  const pid_t middle = ::fork();
  if (middle == 0) {
    // The middle child starts a new session and leaves at once, so the
    // opener is adopted by init and never waited for here.
    ::close(report[0]);
    ::setsid();
    const pid_t opener_pid = ::fork();
    if (opener_pid == 0) ExecDetached(*opener, argv, report[1]);
    ::_exit(opener_pid < 0 ? 1 : 0);
  }
  ::close(report[1]);
  bool started = false;
  if (middle > 0) {
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got = 0;
    do {
      got = ::read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    started = WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
  }
  ::close(report[0]);
  return started;
}

}  // namespace korvane
