#pragma once

#include <array>
#include <string>
#include <utility>

namespace korvane::cli {

// How korvanectl ends. --help, the manual page and the README list them.
enum class ExitCode : int {
  kSuccess = 0,
  kUsage = 1,    // a bad option or value, a refused value, a missing --yes
  kNoMouse = 2,  // no mouse reachable, or another program held it past the wait
  kMouse = 3,    // the mouse refused a write or did not answer
  kFile = 4,     // a file, the catalog, the settings database, a download or a package
};

struct ExitCodeMeaning {
  ExitCode code;
  const char* meaning;
};

inline constexpr std::array<ExitCodeMeaning, 5> kExitCodeMeanings{{
    {ExitCode::kSuccess, "success"},
    {ExitCode::kUsage, "a bad option or value, a value refused, or --yes missing"},
    {ExitCode::kNoMouse,
     "no mouse reachable: no device, no socket behind --hid, or the mouse held by another program past the wait"},
    {ExitCode::kMouse, "the mouse refused a write or did not answer, or a firmware upgrade failed at the mouse"},
    {ExitCode::kFile,
     "a file, the catalog, the settings database, or an update's download or package could not be used"},
}};

// The codes as --help shows them below the commands, under this heading.
inline constexpr const char* kExitStatusHeading = "Exit status:";
std::string ExitCodeFooter();

// Why a command failed: the line it prints and the code it ends with. A text
// alone is a refused request.
struct Failure {
  Failure(std::string text, ExitCode code = ExitCode::kUsage) : text(std::move(text)), code(code) {}
  Failure(const char* text, ExitCode code = ExitCode::kUsage) : Failure(std::string(text), code) {}

  std::string text;
  ExitCode code;
};

// Prints the failure's line ("korvanectl: <text>") and returns its code.
ExitCode Fail(const Failure& failure);

}  // namespace korvane::cli
