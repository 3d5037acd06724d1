#include <gtest/gtest.h>

#include "common/colour.hpp"
#include "common/text.hpp"

namespace korvane {

TEST(Utf8, ValidityFollowsTheEncodingRules) {
  const std::pair<std::string_view, bool> cases[] = {{"", true},
                                                     {"Aim", true},
                                                     {"\xC3\xA9", true},
                                                     {"\xE2\x82\xAC", true},
                                                     {"\xF0\x9F\x96\xB1", true},
                                                     {"Aim\xFF", false},
                                                     {"\xC3", false},
                                                     {"\xC0\xAF", false},
                                                     {"\xED\xA0\x80", false},
                                                     {"\xF4\x90\x80\x80", false},
                                                     {"\x80", false},
                                                     {"\xE2\x82", false},
                                                     {"\xE2(\xA1", false}};
  for (const auto& [text, valid] : cases) {
    std::string bytes;
    for (const char c : text) bytes += Hex4(static_cast<unsigned char>(c)).substr(2) + " ";
    EXPECT_EQ(IsValidUtf8(text), valid) << bytes;
  }
}
namespace {

TEST(LeadingNumber, ReadsLeadingDigitsLikeTheCLibrary) {
  const std::pair<const char*, int> cases[] = {
      {"42", 42},
      {"  17abc", 17},
      {"-5", -5},
      {"+8", 8},
      {"", 0},
      {"abc", 0},
      {"12.5", 12},
      {"99999999999", INT_MAX},
      {"-99999999999", INT_MIN},
      {"0x10", 0},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(LeadingNumber(text), expected) << text;
}

TEST(ParseHex, AcceptsOptionalPrefixAndRejectsJunk) {
  EXPECT_EQ(ParseHex("3A7C"), 0x3A7Cu);
  EXPECT_EQ(ParseHex("0x1a"), 0x1Au);
  EXPECT_EQ(ParseHex("zz"), std::nullopt);
  EXPECT_EQ(ParseHex(""), std::nullopt);
  EXPECT_EQ(ParseHex("0x"), std::nullopt);
}

TEST(Utf8, PrefixNeverCutsAMultiByteSequence) {
  const std::string text = "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80z";  // a é 中 😀 z
  EXPECT_EQ(Utf8Length(text), 5u);
  EXPECT_EQ(Utf8Prefix(text, 3), "a\xC3\xA9\xE4\xB8\xAD");
  EXPECT_EQ(Utf8Prefix(text, 4), "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8Prefix(text, 10), text);
}

TEST(Utf16, DecodesSurrogatePairsAndReplacesLoneSurrogates) {
  const std::string pair("\x3D\xD8\x00\xDE", 4);  // U+1F600
  EXPECT_EQ(Utf16LeToUtf8(pair), "\xF0\x9F\x98\x80");
  const std::string lone("\x3D\xD8\x41\x00", 4);
  EXPECT_EQ(Utf16LeToUtf8(lone),
            "\xEF\xBF\xBD"
            "A");
  EXPECT_EQ(Utf16LeToUtf8(std::string("\x41", 1)), "");  // odd trailing byte ignored
}

TEST(Colour, TextFollowsTheDefinitionFileRule) {
  const std::pair<const char*, int> cases[] = {
      {"#FF8000", 33023}, {"#0000FF", 16711680}, {"#F", 0},        {"#", 0}, {"", 0}, {"#FFFFFFF", 0}, {"#FF", 255},
      {"#FF80", 33023},   {"#10203", 0x032010},  {"xFF0000", 255},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ColourFromText(text), expected) << text;
  EXPECT_EQ(StrictColourFromText("#FF8000"), 33023);
  EXPECT_EQ(StrictColourFromText("#FF80"), std::nullopt);
  EXPECT_EQ(StrictColourFromText("#GG0000"), std::nullopt);
  EXPECT_EQ(ColourToHex(33023), "FF8000");
}

}  // namespace
}  // namespace korvane
