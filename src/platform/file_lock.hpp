#pragma once

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

  // Takes the lock without waiting; false when another process holds it.
  bool TryLock();
  // Waits for the lock; false only when the file cannot be opened.
  bool Lock();

  // Whether another process holds the lock on file right now.
  static bool HeldElsewhere(const std::filesystem::path& file);

 private:
  int fd_ = -1;
};

// The lock that whoever talks to the mouse holds: the desktop application for
// its whole run, korvanectl for one command; in the runtime folder.
std::filesystem::path DeviceLockPath(const std::filesystem::path& runtime_folder, const std::string& caption);

}  // namespace korvane
