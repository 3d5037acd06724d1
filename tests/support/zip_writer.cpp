#include "support/zip_writer.hpp"

#include <zip.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace korvane::test {

namespace {

constexpr uLong kMadeOnUnix = (3 << 8) | 20;  // host 3 (Unix), zip format 2.0
constexpr uLong kRegularFile = 0100644;
constexpr uLong kFolder = 040755;
constexpr uLong kSymlink = 0120777;
constexpr uLong kDosFolder = 0x10;
constexpr std::size_t kWriteBlock = 1 << 20;

struct ZipClose {
  void operator()(zipFile zip) const { zipClose(zip, nullptr); }
};

uLong ModeOf(const ZipEntry& entry) {
  if (entry.symlink) return kSymlink;
  if (!entry.name.empty() && entry.name.back() == '/') return kFolder;
  return kRegularFile;
}

void AddEntry(zipFile zip, const ZipEntry& entry) {
  zip_fileinfo info{};
  info.tmz_date = tm_zip{0, 0, 12, 1, 0, 2024};
  const uLong mode = ModeOf(entry);
  info.external_fa = (mode << 16) | (mode == kFolder ? kDosFolder : 0);
  if (zipOpenNewFileInZip4_64(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                              Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0,
                              kMadeOnUnix, 0, 0) != ZIP_OK) {
    throw std::runtime_error("cannot add " + entry.name + " to the zip");
  }
  for (std::size_t at = 0; at < entry.bytes.size(); at += kWriteBlock) {
    const std::size_t size = std::min(kWriteBlock, entry.bytes.size() - at);
    if (zipWriteInFileInZip(zip, entry.bytes.data() + at, static_cast<unsigned>(size)) != ZIP_OK) {
      throw std::runtime_error("cannot write " + entry.name + " into the zip");
    }
  }
  if (zipCloseFileInZip(zip) != ZIP_OK) throw std::runtime_error("cannot finish " + entry.name + " in the zip");
}

}  // namespace

// A zip that could not be written whole is removed, so no test reads half of one.
void WriteZip(const std::filesystem::path& zip, const std::vector<ZipEntry>& entries) {
  std::unique_ptr<void, ZipClose> file(zipOpen64(zip.c_str(), APPEND_STATUS_CREATE));
  if (!file) throw std::runtime_error("cannot create " + zip.string());
  try {
    for (const ZipEntry& entry : entries) AddEntry(file.get(), entry);
    if (zipClose(file.release(), nullptr) != ZIP_OK) throw std::runtime_error("cannot finish " + zip.string());
  } catch (...) {
    file.reset();
    std::error_code ignored;
    std::filesystem::remove(zip, ignored);
    throw;
  }
}

}  // namespace korvane::test
