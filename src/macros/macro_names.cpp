#include "macros/macro_names.hpp"

#include <array>
#include <span>

#include "common/text_ids.hpp"

namespace korvane {

namespace {

constexpr std::array<std::string_view, 2> kListDefaultWords{"Custom", "自定义"};
constexpr std::array<std::string_view, 2> kListCopyWords{"Copy", "复制"};
constexpr std::array<std::string_view, 5> kDefaultWords{"Custom", "自定义", "自定義", "カスタム", "Пользоват"};
constexpr std::array<std::string_view, 4> kCopyWords{"Copy", "复制", "複製", "Копировать"};

std::string Localised(std::string_view stored, const TextLookup& text, std::span<const std::string_view> defaults,
                      std::span<const std::string_view> copies) {
  std::string name(stored);
  for (const std::string_view word : defaults) {
    if (!name.starts_with(word)) continue;
    name = text(text_id::kMacroDefaultName) + name.substr(word.size());
    break;
  }
  for (const std::string_view word : copies) {
    if (!name.ends_with(word)) continue;
    name = name.substr(0, name.find(word)) + " " + text(text_id::kCopy);
    break;
  }
  return name;
}

}  // namespace

std::string DisplayedMacroName(std::string_view stored, const TextLookup& text) {
  return Localised(stored, text, kListDefaultWords, kListCopyWords);
}

std::string DescribedMacroName(std::string_view stored, const TextLookup& text) {
  return Localised(stored, text, kDefaultWords, kCopyWords);
}

std::string NewMacroName(const TextLookup& text, int count) {
  return text(text_id::kMacroDefaultName) + " " + std::to_string(count + 1);
}

}  // namespace korvane
