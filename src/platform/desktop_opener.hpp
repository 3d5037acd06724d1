#pragma once

#include <filesystem>

namespace korvane {

// Hands a file to the desktop's opener for its type (xdg-open, the first
// executable one found in an absolute folder of PATH), which runs detached:
// in a session of its own, with standard input and output on /dev/null, not
// a child of this process, so nothing waits for it and no zombie is left.
// Returns false when no opener is found or it could not be started.
bool OpenWithDesktop(const std::filesystem::path& file);

}  // namespace korvane
