#pragma once

#include <string>
#include <string_view>

#include "common/text_lookup.hpp"

namespace korvane {

// Macro names are stored as they were made or typed; a default name is
// shown in the current language without the stored name changing.

// The macro list's and chooser's name: a leading default word ("Custom"
// or its Chinese) becomes the current language's word (text 351), the
// rest kept; then a trailing copy word ("Copy" or its Chinese) becomes the
// part before that word, a space and the current copy word (text 31).
std::string DisplayedMacroName(std::string_view stored, const TextLookup& text);

// A button's description of a macro: the same two replacements, made for
// the default and copy words of every shipped language.
std::string DescribedMacroName(std::string_view stored, const TextLookup& text);

// The name of a new macro when count macros are listed: text 351, a space
// and count + 1.
std::string NewMacroName(const TextLookup& text, int count);

}  // namespace korvane
