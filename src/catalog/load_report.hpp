#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korvane {

// What happened while a shipped file was read. A file that could not be read
// at all has loaded == false and error set (for XML with the parser's byte
// offset). Problems are departures from the strict rules (unknown elements,
// elements out of order, values out of range, duplicates); the program reads
// past them, the check of the shipped files rejects them.
struct LoadReport {
  std::filesystem::path file;
  bool loaded = false;
  std::string error;
  std::vector<std::string> problems;

  bool Clean() const { return loaded && problems.empty(); }
  void Problem(std::string text) { problems.push_back(std::move(text)); }
};

}  // namespace korvane
