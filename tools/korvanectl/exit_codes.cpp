#include "exit_codes.hpp"

#include "cli_options.hpp"

namespace korvane::cli {

std::string ExitCodeFooter() {
  std::string text = kExitStatusHeading;
  for (const ExitCodeMeaning& meaning : kExitCodeMeanings) {
    text += "\n  " + std::to_string(static_cast<int>(meaning.code)) + "  " + meaning.meaning;
  }
  return text;
}

ExitCode Fail(const Failure& failure) {
  PrintError(failure.text);
  return failure.code;
}

}  // namespace korvane::cli
