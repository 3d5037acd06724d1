#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_lookup.hpp"
#include "language/language_file.hpp"

namespace korvane {

class AppSettings;

struct OfferedLanguage {
  int lcid;
  std::string_view native_name;
};

// Every language the program can offer, in the order the selector lists them.
const std::vector<OfferedLanguage>& OfferableLanguages();

// The current language and its texts. Texts are looked up by number; the
// current language file is loaded once and reloaded when the language
// changes. Lookups are safe from any thread; the language is changed only by
// the UI thread.
class LanguageCatalog final {
 public:
  LanguageCatalog(std::filesystem::path resources, AppSettings& settings);

  // The languages listed in config.xml, in file order.
  void SetLanguageSet(std::vector<int> lcids);
  const std::vector<int>& LanguageSet() const { return language_set_; }
  bool IsOffered(int lcid) const;
  // The offerable languages that are in the language set, selector order.
  std::vector<OfferedLanguage> OfferedLanguages() const;

  int CurrentLcid() const;
  // Makes lcid current and loads its texts (no settings are written).
  void SetCurrentLcid(int lcid);

  // The stored "LCID": 0 when absent or when the settings had to be created;
  // 2052 when they cannot be opened at all.
  int ReadStoredLanguage() const;
  void StoreLanguage(int lcid);
  // Stored language, else the user's interface language, else 1033; a
  // language that is not offered is replaced by 1033. user_ui_lcid is the
  // locale's language (0 when unknown).
  void ChooseStartupLanguage(int user_ui_lcid);
  // The user picked another language: make it current and remember it.
  void SwitchLanguage(int lcid);

  // Text of a number in the current language, at most 259 characters; empty
  // when the file or the number is missing.
  std::string GetText(int id) const;
  // GetText as a function for the parts that only look texts up; the
  // catalog must outlive it.
  TextLookup Lookup() const;

 private:
  std::filesystem::path resources_;
  AppSettings& settings_;
  std::vector<int> language_set_;

  mutable std::mutex mutex_;
  int current_lcid_ = 0;
  std::shared_ptr<const LanguageTable> table_;

  std::shared_ptr<const LanguageTable> Table() const;
};

}  // namespace korvane
