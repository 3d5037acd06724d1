#include "common/man_page.hpp"

#include <cctype>
#include <sstream>

namespace korvane {

namespace {

// Escapes text for one line of man(7) source: a backslash prints through
// \e, a hyphen through \- (so it stays a hyphen, not a dash), and a line
// that would start with a control character gets a zero-width \& first.
std::string Escape(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
  }
  if (!out.empty() && (out.front() == '.' || out.front() == '\'')) out.insert(0, "\\&");
  return out;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Paragraphs separated by blank lines; a line break inside one is kept.
void Paragraphs(std::ostringstream& out, const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  bool first = true;
  while (std::getline(lines, line)) {
    if (line.empty()) {
      out << ".PP\n";
    } else {
      if (!first) out << ".br\n";
      out << Escape(line) << '\n';
    }
    first = line.empty();
  }
}

}  // namespace

std::string RenderManPage(const ManPage& page) {
  std::ostringstream out;
  out << ".TH " << Escape(Upper(page.name)) << " 1 \"\" \"" << Escape(page.name) << ' ' << Escape(page.version)
      << "\" \"User Commands\"\n";
  out << ".SH NAME\n" << Escape(page.name) << " \\- " << Escape(page.summary) << '\n';
  out << ".SH SYNOPSIS\n.B " << Escape(page.name) << '\n' << Escape(page.synopsis) << '\n';
  for (const ManSection& section : page.sections) {
    out << ".SH " << Escape(Upper(section.title)) << '\n';
    if (!section.text.empty()) Paragraphs(out, section.text);
    for (const ManEntry& entry : section.entries) {
      if (entry.nested) out << ".RS\n";
      out << ".TP\n\\fB" << Escape(entry.term) << "\\fR";
      if (!entry.argument.empty()) out << " \\fI" << Escape(entry.argument) << "\\fR";
      out << '\n';
      if (entry.text.empty()) {
        out << "\\&\n";
      } else {
        Paragraphs(out, entry.text);
      }
      if (entry.nested) out << ".RE\n";
    }
  }
  return out.str();
}

}  // namespace korvane
