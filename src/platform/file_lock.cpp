#include "platform/file_lock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <thread>

#include "platform/paths.hpp"

namespace korvane {

FileLock::FileLock(const std::filesystem::path& file) {
  fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileLock::TryLock() { return fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0; }

bool FileLock::LockWithin(std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  while (!TryLock()) {
    if (fd_ < 0 || std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

bool FileLock::HeldElsewhere(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
  ::close(fd);
  return held;
}

std::filesystem::path DeviceLockPath(const std::filesystem::path& runtime_folder, const std::string& caption) {
  return runtime_folder / (PathComponent(caption.empty() ? std::string("korvane") : caption) + ".device.lock");
}

}  // namespace korvane
