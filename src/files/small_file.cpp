#include "files/small_file.hpp"

#include <fstream>
#include <iterator>
#include <system_error>

namespace korvane {

std::optional<std::string> ReadSmallFile(const std::filesystem::path& path, std::string& problem) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    problem = std::filesystem::exists(path, error) ? "not a regular file" : "no such file";
    return std::nullopt;
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kLargestUserFile) {
    problem = error ? error.message() : "larger than 16 MiB";
    return std::nullopt;
  }
  std::ifstream file(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!file.good() && !file.eof()) {
    problem = "cannot be read";
    return std::nullopt;
  }
  return bytes;
}

}  // namespace korvane
