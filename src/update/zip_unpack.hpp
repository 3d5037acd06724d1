#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// The unpacked bytes one archive may hold at most; unpacking stops past it.
inline constexpr std::uint64_t kMaxUnpackedBytes = 1ull << 30;

// Where an archive entry named name is written, relative to the target
// folder, with "/" between folders. A leading drive ("C:") and leading
// slashes or backslashes are dropped, and so is everything up to and
// including the last "\..\", "\../", "/../" or "/..\" ("..\..\evil.exe"
// becomes "evil.exe"). nullopt (the entry is skipped) when what is left is
// empty or still has a ".." component ("../evil.exe", "a/..").
std::optional<std::string> ZipEntryTarget(std::string_view name);

// Unpacks every entry of the zip archive into folder (which must exist), in
// archive order: folders are created, files replace what was there, and get
// the entry's stored time. Entries that are symbolic links are skipped, and
// no link already in the folder is followed. Returns false when the archive
// cannot be opened or its unpacked total passes max_bytes (the file being
// written is then removed); single entries that fail are skipped.
bool UnzipAll(const std::filesystem::path& zip, const std::filesystem::path& folder,
              std::uint64_t max_bytes = kMaxUnpackedBytes);

}  // namespace korvane
