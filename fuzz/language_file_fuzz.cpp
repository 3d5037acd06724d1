// Language files in any of their three encodings.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "language/language_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvane::ParseLanguageFile(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
