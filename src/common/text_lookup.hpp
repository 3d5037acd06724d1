#pragma once

#include <functional>
#include <string>

namespace korvane {

// The text of a language text number in the current language (empty when
// missing). Front ends pass LanguageCatalog::GetText.
using TextLookup = std::function<std::string(int)>;

}  // namespace korvane
