#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// Numbers in settings, databases and XML attributes are decimal text read with
// the leading-digits rule: optional white space and sign, then the leading
// decimal digits give the value; text without digits gives 0. Values beyond
// the int range saturate.
int LeadingNumber(std::string_view text);

// A firmware version's digits as shown: the first character, ".", and the
// last two ("105" gives "1.05", "1A2B" "1.2B", "42" "4.42", "5" "5.5");
// empty for an empty text.
std::string DottedVersion(std::string_view digits);

// Hexadecimal text with an optional "0x"/"0X" prefix. Returns nullopt when the
// text is empty, has a non-hex character or does not fit in 32 bits.
std::optional<unsigned> ParseHex(std::string_view text);

// Strict decimal: the whole text must be an optionally signed integer.
std::optional<int> ParseDecimal(std::string_view text);

// Decodes UTF-16LE (without byte-order mark) into UTF-8. Unpaired surrogates
// become U+FFFD so the result is always valid UTF-8.
std::string Utf16LeToUtf8(std::string_view bytes);

// Whether text is valid UTF-8: no stray or missing continuation bytes, no
// overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// The text with every byte that does not start a valid UTF-8 sequence
// replaced by U+FFFD; valid text comes back unchanged.
std::string RepairedUtf8(std::string_view text);

// Number of code points in valid UTF-8 text.
std::size_t Utf8Length(std::string_view text);

// The first max_chars code points of text; never cuts a multi-byte sequence.
std::string Utf8Prefix(std::string_view text, std::size_t max_chars);

// Removes leading and trailing spaces, tabs, CR and LF.
std::string_view Trim(std::string_view text);

// A language text with "%d" placeholders filled with the numbers in order.
// Nothing else in the text is read as a format: a translation can never
// make the program read arguments it was not given.
std::string FillNumbers(std::string_view pattern, std::initializer_list<long long> numbers);

// Four uppercase hex digits, as USB ids are shown everywhere.
std::string Hex4(unsigned value);

// A name that can stand in a file name without leaving its folder: not
// empty, only ASCII letters, digits, '_' and '-'.
bool IsSafeFileStem(std::string_view stem);

}  // namespace korvane
