#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korvane::test {

// One member of a zip file. `name` is written as given, so a test can make
// members named "../x" or "/etc/x". A symlink's `bytes` are its target; a
// name ending in '/' is a folder and takes no bytes.
struct ZipEntry {
  std::string name;
  std::string bytes;
  bool symlink = false;
};

// Writes `entries` in order to a new zip file (replacing `zip`), deflated,
// made on Unix: regular files carry mode 0100644, folders 040755 and symlinks
// 0120777 in the upper half of their external attributes. Throws
// std::runtime_error naming the file or member that could not be written.
void WriteZip(const std::filesystem::path& zip, const std::vector<ZipEntry>& entries);

}  // namespace korvane::test
