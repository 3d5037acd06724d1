#include "platform/single_instance.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/paths.hpp"

namespace korvane {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kShowRequest = "show\n";

bool FillAddress(const fs::path& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  const std::string& text = path.native();
  if (text.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, text.c_str(), text.size());
  return true;
}

void AskFirstToShow(const fs::path& socket_path) {
  sockaddr_un address;
  if (!FillAddress(socket_path, address)) return;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    [[maybe_unused]] ssize_t sent = ::send(fd, kShowRequest.data(), kShowRequest.size(), MSG_NOSIGNAL);
  }
  ::close(fd);
}

}  // namespace

std::optional<fs::path> SingleInstance::RuntimeFolder(std::string& problem) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime == '/') return fs::path(runtime);
  fs::path folder = fs::temp_directory_path() / ("korvane-" + std::to_string(::getuid()));
  ::mkdir(folder.c_str(), 0700);
  if (const auto unsafe = UnsafeRuntimeFolder(folder, ::getuid())) {
    problem = *unsafe + "; set XDG_RUNTIME_DIR, or remove it";
    return std::nullopt;
  }
  return folder;
}

std::optional<std::string> SingleInstance::UnsafeRuntimeFolder(const fs::path& folder, unsigned owner) {
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return folder.string() + " is not a folder";
  if (info.st_uid != owner) return folder.string() + " belongs to another user";
  if ((info.st_mode & 07777) != 0700) return folder.string() + " is open to other users (its mode is not 0700)";
  return std::nullopt;
}

SingleInstance::SingleInstance(const std::string& caption, const fs::path& runtime_folder) {
  const std::string stem = PathComponent(caption.empty() ? std::string("korvane") : caption);
  const fs::path lock_path = runtime_folder / (stem + ".lock");
  socket_path_ = runtime_folder / (stem + ".sock");

  lock_fd_ = ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lock_fd_ < 0) {
    // Without the lock two instances could drive the mouse at once.
    problem_ = "cannot take the single-instance lock " + lock_path.string() + ": " + std::strerror(errno);
    role_ = Role::Failed;
    return;
  }
  if (::flock(lock_fd_, LOCK_EX | LOCK_NB) != 0) {
    ::close(lock_fd_);
    lock_fd_ = -1;
    AskFirstToShow(socket_path_);
    role_ = Role::Second;
    return;
  }
  role_ = Role::First;
  Listen();
}

// Without the socket the instance still runs (the lock keeps it the only
// one); a second start then cannot bring its window up.
void SingleInstance::Listen() {
  sockaddr_un address;
  if (!FillAddress(socket_path_, address)) return;
  ::unlink(socket_path_.c_str());
  listen_fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (listen_fd_ < 0) return;
  const mode_t old_mask = ::umask(0077);
  const bool bound = ::bind(listen_fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::umask(old_mask);
  requests_fd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  stop_fd_ = ::eventfd(0, EFD_CLOEXEC);
  if (!bound || ::listen(listen_fd_, 4) != 0 || requests_fd_ < 0 || stop_fd_ < 0) {
    for (int* fd : {&listen_fd_, &requests_fd_, &stop_fd_}) {
      if (*fd >= 0) ::close(*fd);
      *fd = -1;
    }
    return;
  }
  requests_thread_ = std::thread([this] { ServeRequests(); });
}

// Each request is a few bytes sent right after connecting; a client that
// sends nothing is given up on after a moment.
void SingleInstance::ServeRequests() {
  for (;;) {
    pollfd watch[2] = {{listen_fd_, POLLIN, 0}, {stop_fd_, POLLIN, 0}};
    if (::poll(watch, 2, -1) < 0 && errno != EINTR) return;
    if (watch[1].revents != 0) return;
    const int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    timeval timeout{0, 200000};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    char buffer[16] = {};
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    ::close(fd);
    if (n > 0 && std::string_view(buffer, static_cast<std::size_t>(n)).starts_with("show")) {
      const std::uint64_t one = 1;
      [[maybe_unused]] const ssize_t written = ::write(requests_fd_, &one, sizeof one);
    }
  }
}

SingleInstance::~SingleInstance() {
  if (requests_thread_.joinable()) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(stop_fd_, &one, sizeof one);
    requests_thread_.join();
  }
  for (const int fd : {requests_fd_, stop_fd_}) {
    if (fd >= 0) ::close(fd);
  }
  if (listen_fd_ >= 0) {
    ::close(listen_fd_);
    ::unlink(socket_path_.c_str());
  }
  if (lock_fd_ >= 0) ::close(lock_fd_);
}

bool SingleInstance::TakeActivationRequests() {
  if (requests_fd_ < 0) return false;
  std::uint64_t count = 0;
  return ::read(requests_fd_, &count, sizeof count) == sizeof count && count > 0;
}

}  // namespace korvane
