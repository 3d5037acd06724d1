// The zip files the unpacking tests build, read back with minizip's reader:
// names as given, data intact, and the Unix host and modes an unpacker
// decides by.
#include <gtest/gtest.h>
#include <unzip.h>

#include <string>
#include <vector>

#include "support/temp_dir.hpp"
#include "support/zip_writer.hpp"

namespace korvane::test {
namespace {

struct Member {
  std::string name;
  std::string bytes;
  unsigned long host = 0;
  unsigned long mode = 0;
};

std::vector<Member> ReadZip(const std::filesystem::path& zip) {
  std::vector<Member> members;
  unzFile file = unzOpen64(zip.c_str());
  if (!file) return members;
  for (int at = unzGoToFirstFile(file); at == UNZ_OK; at = unzGoToNextFile(file)) {
    unz_file_info64 info{};
    char name[512];
    if (unzGetCurrentFileInfo64(file, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) break;
    Member& member = members.emplace_back();
    member.name = name;
    member.host = info.version >> 8;
    member.mode = info.external_fa >> 16;
    if (unzOpenCurrentFile(file) != UNZ_OK) break;
    member.bytes.resize(info.uncompressed_size);
    unzReadCurrentFile(file, member.bytes.data(), static_cast<unsigned>(member.bytes.size()));
    if (unzCloseCurrentFile(file) != UNZ_OK) member.bytes = "<CRC mismatch>";
  }
  unzClose(file);
  return members;
}

TEST(ZipWriter, WritesMembersWithTheirUnixModes) {
  TempDir dir;
  const std::string large(100'000, 'x');
  const std::vector<ZipEntry> entries = {
      {"firmware/", ""},
      {"firmware/image.bin", large},
      {"firmware/latest", "image.bin", true},
      {"../escape.txt", "outside"},
  };
  WriteZip(dir / "update.zip", entries);

  const std::vector<Member> members = ReadZip(dir / "update.zip");
  ASSERT_EQ(members.size(), entries.size());
  const unsigned long modes[] = {040755, 0100644, 0120777, 0100644};
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(members[i].name, entries[i].name);
    EXPECT_TRUE(members[i].bytes == entries[i].bytes) << entries[i].name;
    EXPECT_EQ(members[i].host, 3u) << entries[i].name;
    EXPECT_EQ(members[i].mode, modes[i]) << entries[i].name << " " << std::oct << members[i].mode;
  }
}

TEST(ZipWriter, RefusesAFileItCannotCreate) {
  TempDir dir;
  EXPECT_THROW(WriteZip(dir / "no-such-folder/update.zip", {{"a", "b"}}), std::runtime_error);
}

}  // namespace
}  // namespace korvane::test
