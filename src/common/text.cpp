#include "common/text.hpp"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace korvane {

int LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

std::string DottedVersion(std::string_view digits) {
  if (digits.empty()) return {};
  const std::size_t last_two = digits.size() >= 2 ? digits.size() - 2 : 0;
  return std::string(digits.substr(0, 1)) + "." + std::string(digits.substr(last_two));
}

std::optional<unsigned> ParseHex(std::string_view text) {
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  if (text.empty() || text.size() > 8) return std::nullopt;
  unsigned value = 0;
  for (char c : text) {
    unsigned digit;
    if (c >= '0' && c <= '9')
      digit = static_cast<unsigned>(c - '0');
    else if (c >= 'a' && c <= 'f')
      digit = static_cast<unsigned>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F')
      digit = static_cast<unsigned>(c - 'A' + 10);
    else
      return std::nullopt;
    value = value * 16 + digit;
  }
  return value;
}

std::optional<int> ParseDecimal(std::string_view text) {
  std::size_t i = 0;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
  if (i == text.size() || text.size() - i > 10) return std::nullopt;
  for (std::size_t j = i; j < text.size(); ++j) {
    if (text[j] < '0' || text[j] > '9') return std::nullopt;
  }
  long long value = 0;
  for (std::size_t j = i; j < text.size(); ++j) value = value * 10 + (text[j] - '0');
  if (text[0] == '-') value = -value;
  if (value > INT_MAX || value < INT_MIN) return std::nullopt;
  return static_cast<int>(value);
}

namespace {

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string Utf16LeToUtf8(std::string_view bytes) {
  constexpr std::uint32_t kReplacement = 0xFFFD;
  std::string out;
  out.reserve(bytes.size());
  const std::size_t units = bytes.size() / 2;
  auto unit = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i])) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i + 1])) << 8);
  };
  for (std::size_t i = 0; i < units; ++i) {
    std::uint32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
        u = 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
        ++i;
      } else {
        u = kReplacement;
      }
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      u = kReplacement;
    }
    AppendUtf8(out, u);
  }
  return out;
}

std::size_t Utf8Length(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) {
    if (!IsContinuation(c)) ++count;
  }
  return count;
}

std::string Utf8Prefix(std::string_view text, std::size_t max_chars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsContinuation(text[i])) {
      if (chars == max_chars) return std::string(text.substr(0, i));
      ++chars;
    }
  }
  return std::string(text);
}

std::string_view Trim(std::string_view text) {
  auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

std::string RepairedUtf8(std::string_view text) {
  if (IsValidUtf8(text)) return std::string(text);
  std::string repaired;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 1;
    while (length <= 4 && !IsValidUtf8(text.substr(i, length))) ++length;
    if (length > 4 || i + length > text.size()) {
      repaired += "\xEF\xBF\xBD";
      ++i;
    } else {
      repaired += text.substr(i, length);
      i += length;
    }
  }
  return repaired;
}

std::string FillNumbers(std::string_view pattern, std::initializer_list<long long> numbers) {
  std::string filled;
  auto next = numbers.begin();
  for (std::size_t at = 0; at < pattern.size();) {
    if (pattern.substr(at, 2) == "%d" && next != numbers.end()) {
      filled += std::to_string(*next++);
      at += 2;
    } else {
      filled += pattern[at++];
    }
  }
  return filled;
}

std::string Hex4(unsigned value) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out(4, '0');
  for (int i = 3; i >= 0; --i) {
    out[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    value >>= 4;
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t point = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    }
    if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      point = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      point = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      point = lead & 0x07;
    } else {
      return false;
    }
    if (text.size() - i <= static_cast<std::size_t>(extra)) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      point = (point << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (point < kSmallest[extra] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

bool IsSafeFileStem(std::string_view stem) {
  return !stem.empty() && std::all_of(stem.begin(), stem.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
  });
}

}  // namespace korvane
