// Update packages and version texts from a server: the input is unpacked as
// a zip archive into a fresh folder, taken as an entry name, and split into
// two version texts and a digest file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "update/package_fetch.hpp"
#include "update/versions.hpp"
#include "update/zip_unpack.hpp"

namespace {

constexpr std::uint64_t kUnpackLimit = 16u << 20;

const std::filesystem::path& Scratch() {
  static const std::filesystem::path scratch = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvane-fuzz-XXXXXX").string();
    return std::filesystem::path(mkdtemp(pattern.data()));
  }();
  return scratch;
}

// Unpacking stays inside its folder: beside it only the archive remains.
void CheckUnpackStaysInside(std::string_view bytes) {
  const std::filesystem::path root = Scratch();
  std::filesystem::remove_all(root / "out");
  std::filesystem::create_directories(root / "out");
  std::ofstream(root / "package.zip", std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  korvane::UnzipAll(root / "package.zip", root / "out", kUnpackLimit);
  for (const auto& entry : std::filesystem::directory_iterator(root)) {
    const std::string name = entry.path().filename().string();
    if (name != "out" && name != "package.zip") __builtin_trap();
  }
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root / "out")) {
    if (entry.is_symlink()) __builtin_trap();
  }
}

void CheckEntryName(std::string_view name) {
  const auto target = korvane::ZipEntryTarget(name);
  if (!target) return;
  if (target->empty() || target->front() == '/' || target->find('\\') != std::string::npos) __builtin_trap();
  std::size_t start = 0;
  while (start <= target->size()) {
    const std::size_t slash = std::min(target->find('/', start), target->size());
    if (target->substr(start, slash - start) == "..") __builtin_trap();
    start = slash + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckUnpackStaysInside(bytes);
  CheckEntryName(bytes);
  const std::size_t half = size / 2;
  const int order = korvane::CompareVersions(bytes.substr(0, half), bytes.substr(half));
  if (order < -1 || order > 2) __builtin_trap();
  if (korvane::CompareVersions(bytes, bytes) != 0) __builtin_trap();
  if (const auto digest = korvane::DigestOfSha256Sum(bytes); digest && digest->size() != 64) __builtin_trap();
  return 0;
}
