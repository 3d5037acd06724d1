#include "language/language_catalog.hpp"

#include <algorithm>

#include "common/text.hpp"
#include "platform/app_settings.hpp"

namespace korvane {

namespace {

constexpr int kEnglish = 1033;
constexpr int kSimplifiedChinese = 2052;
constexpr char kLcidSetting[] = "LCID";

std::string TextFrom(const LanguageTable& table, int id) {
  const auto it = table.find(id);
  return it == table.end() ? std::string() : Utf8Prefix(it->second, kMaxTextLength);
}

}  // namespace

const std::vector<OfferedLanguage>& OfferableLanguages() {
  static const std::vector<OfferedLanguage> kLanguages{
      {2052, "简体中文"}, {1033, "English"},         {1028, "繁体中文"},     {1041, "日本語にほんご"},
      {1042, "한국어"},   {1058, "Українська Мова"}, {1049, "Русский язык"},
  };
  return kLanguages;
}

LanguageCatalog::LanguageCatalog(std::filesystem::path resources, AppSettings& settings)
    : resources_(std::move(resources)), settings_(settings), table_(std::make_shared<LanguageTable>()) {}

void LanguageCatalog::SetLanguageSet(std::vector<int> lcids) {
  language_set_.clear();
  for (int lcid : lcids) {
    // An ordered set: a repeated language is listed once.
    if (!IsOffered(lcid)) language_set_.push_back(lcid);
  }
}

bool LanguageCatalog::IsOffered(int lcid) const {
  return std::find(language_set_.begin(), language_set_.end(), lcid) != language_set_.end();
}

std::vector<OfferedLanguage> LanguageCatalog::OfferedLanguages() const {
  std::vector<OfferedLanguage> offered;
  for (const OfferedLanguage& language : OfferableLanguages()) {
    if (IsOffered(language.lcid)) offered.push_back(language);
  }
  return offered;
}

int LanguageCatalog::CurrentLcid() const {
  std::lock_guard lock(mutex_);
  return current_lcid_;
}

void LanguageCatalog::SetCurrentLcid(int lcid) {
  auto table = std::make_shared<LanguageTable>(LoadLanguageFile(LanguageFilePath(resources_, lcid)).texts);
  std::lock_guard lock(mutex_);
  current_lcid_ = lcid;
  table_ = std::move(table);
}

int LanguageCatalog::ReadStoredLanguage() const {
  const AppSettings::ReadResult result = settings_.Read(kLcidSetting);
  switch (result.key) {
    case AppSettings::KeyState::Created:
      return 0;
    case AppSettings::KeyState::Unavailable:
      return kSimplifiedChinese;
    case AppSettings::KeyState::Opened:
      break;
  }
  return LeadingNumber(result.value);
}

void LanguageCatalog::StoreLanguage(int lcid) { settings_.WriteAppSetting(kLcidSetting, std::to_string(lcid)); }

void LanguageCatalog::ChooseStartupLanguage(int user_ui_lcid) {
  int current = ReadStoredLanguage();
  if (current == 0) {
    current = user_ui_lcid;
    StoreLanguage(IsOffered(current) ? current : kEnglish);
  }
  if (!IsOffered(current)) {
    StoreLanguage(kEnglish);
    current = kEnglish;
  }
  SetCurrentLcid(current);
}

void LanguageCatalog::SwitchLanguage(int lcid) {
  SetCurrentLcid(lcid);
  StoreLanguage(lcid);
}

std::shared_ptr<const LanguageTable> LanguageCatalog::Table() const {
  std::lock_guard lock(mutex_);
  return table_;
}

std::string LanguageCatalog::GetText(int id) const { return TextFrom(*Table(), id); }

TextLookup LanguageCatalog::Lookup() const {
  return [this](int id) { return GetText(id); };
}

}  // namespace korvane
