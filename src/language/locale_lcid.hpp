#pragma once

#include <string_view>

namespace korvane {

// Language identifier (LCID) of a POSIX locale name such as "zh_CN.UTF-8" or
// "de_DE@euro"; 0 for "C", "POSIX", empty or unknown names.
int LcidFromLocaleName(std::string_view locale);

// The user's interface language from LC_ALL, then LC_MESSAGES, then LANG
// (the first that is set and not empty); 0 when none names a known language.
int UserUiLanguage();

}  // namespace korvane
