#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace korvane {

// Files taken from users are read whole, up to this size.
inline constexpr std::uintmax_t kLargestUserFile = 16u << 20;

// The bytes of a regular file of at most kLargestUserFile bytes; nullopt
// with the reason in problem when it is missing, no regular file, larger or
// unreadable.
std::optional<std::string> ReadSmallFile(const std::filesystem::path& path, std::string& problem);

}  // namespace korvane
