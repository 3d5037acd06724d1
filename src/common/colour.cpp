#include "common/colour.hpp"

#include <cstdio>

#include "common/text.hpp"

namespace korvane {

int PackColour(Rgb rgb) { return rgb.r + 256 * rgb.g + 65536 * rgb.b; }

Rgb UnpackColour(int value) { return Rgb{value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF}; }

namespace {

// Reads the leading hex digits of a part as the C library would: digits up to
// the first non-hex character, 0 when there are none.
int HexPart(std::string_view part) {
  int value = 0;
  for (char c : part) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      break;
    value = value * 16 + digit;
  }
  return value;
}

}  // namespace

int ColourFromText(std::string_view text) {
  if (text.empty()) return 0;
  std::string_view digits = text.substr(1);
  if (digits.size() < 2 || digits.size() > 6) return 0;
  Rgb rgb;
  rgb.r = HexPart(digits.substr(0, 2));
  if (digits.size() > 2) rgb.g = HexPart(digits.substr(2, 2));
  if (digits.size() > 4) rgb.b = HexPart(digits.substr(4, 2));
  return PackColour(rgb);
}

std::optional<int> StrictColourFromText(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  if (!ParseHex(text.substr(1))) return std::nullopt;
  return ColourFromText(text);
}

std::string ColourToHex(int value) {
  const Rgb rgb = UnpackColour(value);
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", rgb.r, rgb.g, rgb.b);
  return text;
}

}  // namespace korvane
