#pragma once

#include <string>
#include <string_view>

namespace korvane {

// Compares an installed version with an offered one, both dotted texts.
// Each is split at every "." (an empty part counts, so "1..2" has three
// parts and "" has one). Different part counts give 2; otherwise the parts
// are compared from the left as numbers (their leading digits, none giving
// 0): -1 when the installed one is greater, 1 when the offered one is, 0
// when all are equal. A result of 1 or more means a newer version is offered.
int CompareVersions(std::string_view installed, std::string_view offered);

// Whether CompareVersions counts offered as newer than installed.
bool IsNewerVersion(std::string_view installed, std::string_view offered);

// The longest version texts the servers' version files may hold; a longer
// (or empty) body is not a version and is ignored.
inline constexpr std::size_t kMaxSoftwareVersionLength = 10;
inline constexpr std::size_t kMaxFirmwareVersionLength = 9;

}  // namespace korvane
