#pragma once

#include <string>
#include <vector>

namespace korvane {

// A manual page in the man(7) macros, built from a program's own option
// definitions so that the page and --help say the same.
struct ManEntry {
  std::string term;      // shown bold: an option's names or a command
  std::string argument;  // shown italic after the term; may be empty
  std::string text;
  bool nested = false;  // indented below the entry before it
};

struct ManSection {
  std::string title;
  std::string text;  // paragraphs separated by blank lines, before the entries
  std::vector<ManEntry> entries;
};

struct ManPage {
  std::string name;      // the program
  std::string version;   // shown in the page footer
  std::string summary;   // one line, after the name in NAME
  std::string synopsis;  // what follows the program's name in SYNOPSIS
  std::vector<ManSection> sections;
};

// The page as man(7) source. Text is escaped, so backslashes, hyphens and a
// leading dot or quote of a line print as themselves.
std::string RenderManPage(const ManPage& page);

}  // namespace korvane
