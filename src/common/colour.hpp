#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// Colours are stored as R + 256*G + 65536*B with each component 0..255.
struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
};

int PackColour(Rgb rgb);
Rgb UnpackColour(int value);

// Colour text of the definition files: the first character (normally '#') is
// dropped and the rest read as hex pairs red, green, blue; a missing part is
// 0, and any length other than 2 to 6 digits gives 0.
int ColourFromText(std::string_view text);

// The strict form the shipped files use: '#' followed by exactly six hex digits.
std::optional<int> StrictColourFromText(std::string_view text);

// "RRGGBB" in uppercase.
std::string ColourToHex(int value);

}  // namespace korvane
