#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// Texts of one language: text number -> UTF-8 text.
using LanguageTable = std::map<int, std::string>;

// Longest text a lookup returns, in characters.
inline constexpr std::size_t kMaxTextLength = 259;

struct LanguageFileResult {
  bool loaded = false;                // the file could be read
  LanguageTable texts;                // section "LAN"
  std::vector<std::string> problems;  // rule violations found while reading
};

// Reads an INI-style language file: UTF-16LE with byte-order mark, UTF-8 with
// byte-order mark, or plain UTF-8. Only section "LAN" (case-insensitive) is
// kept; keys are decimal text numbers. Like the usual INI readers, the first
// of two equal keys wins, values are trimmed and one pair of enclosing quotes
// is removed. Every departure from the strict form (no "LAN" section, a key
// that is not a number, a duplicate key, an empty or over-long text, invalid
// UTF-8) is listed in problems; the program ignores them, the shipped-file
// check rejects them.
LanguageFileResult ParseLanguageFile(std::string_view bytes);
LanguageFileResult LoadLanguageFile(const std::filesystem::path& path);

// "<resources>/language/<lcid>.lan".
std::filesystem::path LanguageFilePath(const std::filesystem::path& resources, int lcid);

}  // namespace korvane
