#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace korvane {

// An advisory lock on a file, held until the object goes away (or the process
// ends). Used to keep two programs from talking to the mouse at once.
class FileLock final {
 public:
  explicit FileLock(const std::filesystem::path& file);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Whether the lock file could be opened; without it no lock can be taken.
  bool Usable() const { return fd_ >= 0; }
  // Takes the lock without waiting; false when another process holds it.
  bool TryLock();
  // Waits up to `wait` for the lock; false when it is still held elsewhere
  // (or the file could not be opened).
  bool LockWithin(std::chrono::milliseconds wait);

  // Whether another process holds the lock on file right now.
  static bool HeldElsewhere(const std::filesystem::path& file);

 private:
  int fd_ = -1;
};

// How long a start waits for the device lock: enough for another command to
// finish, bounded so that a long one (korvanectl watch) is reported to the
// user instead of waited for in silence.
inline constexpr std::chrono::seconds kDeviceLockWait{10};

// The lock that whoever talks to the mouse holds: the desktop application for
// its whole run, korvanectl for one command; in the runtime folder.
std::filesystem::path DeviceLockPath(const std::filesystem::path& runtime_folder, const std::string& caption);

}  // namespace korvane
