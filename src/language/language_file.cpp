#include "language/language_file.hpp"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

#include "common/text.hpp"

namespace korvane {

namespace {

std::string DecodeToUtf8(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    return Utf16LeToUtf8(bytes.substr(2));
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") return std::string(bytes.substr(3));
  return std::string(bytes);
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 &&
      ((value.front() == '"' && value.back() == '"') || (value.front() == '\'' && value.back() == '\''))) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

LanguageFileResult ParseLanguageFile(std::string_view bytes) {
  LanguageFileResult result;
  result.loaded = true;
  const std::string text = DecodeToUtf8(bytes);
  std::istringstream in(text);
  std::string raw;
  bool in_lan = false;
  bool saw_lan = false;
  int line_number = 0;
  while (std::getline(in, raw)) {
    ++line_number;
    const std::string_view line = Trim(raw);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    const std::string where = "line " + std::to_string(line_number);
    if (line.front() == '[') {
      const auto close = line.find(']');
      const std::string_view name =
          Trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
      in_lan = EqualsIgnoreCase(name, "LAN");
      if (in_lan) {
        if (saw_lan) result.problems.push_back(where + ": section LAN appears twice");
        saw_lan = true;
      } else {
        result.problems.push_back(where + ": unknown section [" + std::string(name) + "]");
      }
      continue;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) {
      result.problems.push_back(where + ": not a key=value line");
      continue;
    }
    if (!in_lan) {
      result.problems.push_back(where + ": text outside section LAN");
      continue;
    }
    const std::string_view key = Trim(line.substr(0, eq));
    const std::string_view value = StripQuotes(Trim(line.substr(eq + 1)));
    const auto number = ParseDecimal(key);
    if (!number || *number < 0) {
      result.problems.push_back(where + ": key '" + std::string(key) + "' is not a text number");
      continue;
    }
    if (value.empty()) result.problems.push_back(where + ": text " + std::string(key) + " is empty");
    if (!IsValidUtf8(value))
      result.problems.push_back(where + ": text " + std::string(key) + " is not valid UTF-8");
    else if (Utf8Length(value) > kMaxTextLength)
      result.problems.push_back(where + ": text " + std::string(key) + " is longer than 259 characters");
    if (!result.texts.emplace(*number, std::string(value)).second) {
      result.problems.push_back(where + ": text " + std::string(key) + " appears twice");
    }
  }
  if (!saw_lan) result.problems.push_back("no [LAN] section");
  return result;
}

LanguageFileResult LoadLanguageFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ParseLanguageFile(bytes);
}

std::filesystem::path LanguageFilePath(const std::filesystem::path& resources, int lcid) {
  return resources / "language" / (std::to_string(lcid) + ".lan");
}

}  // namespace korvane
