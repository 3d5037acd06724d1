#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/text.hpp"
#include "language/language_catalog.hpp"
#include "language/language_file.hpp"
#include "language/locale_lcid.hpp"
#include "platform/app_settings.hpp"
#include "support/temp_dir.hpp"

namespace korvane {
namespace {

const std::filesystem::path kFixtures = std::filesystem::path(KORVANE_TEST_FIXTURES) / "lang";

TEST(LanguageFile, ReadsUtf16LeUtf8WithBomAndPlainUtf8) {
  const auto utf16 = LoadLanguageFile(LanguageFilePath(kFixtures, 1049));
  ASSERT_TRUE(utf16.loaded);
  EXPECT_EQ(utf16.texts.at(1), "Привет");
  EXPECT_EQ(utf16.texts.at(2), "  в кавычках  ") << "enclosing quotes are removed, the spaces inside kept";
  EXPECT_EQ(utf16.texts.at(3), "😀 эмодзи");
  EXPECT_TRUE(utf16.problems.empty());

  const auto bom = LoadLanguageFile(LanguageFilePath(kFixtures, 1033));
  EXPECT_EQ(bom.texts.at(1), "Hello") << "only section LAN counts and the first of two keys wins";
  EXPECT_EQ(bom.problems.size(), 4u) << "other section, text outside LAN, duplicate key, over-long text";

  const auto plain = LoadLanguageFile(LanguageFilePath(kFixtures, 2052));
  EXPECT_EQ(plain.texts.at(1), "你好") << "the section name is case-insensitive";
}

TEST(LanguageFile, ReportsEveryDepartureFromTheStrictForm) {
  const auto result = ParseLanguageFile("[LAN]\nabc=1\n7=\n8=\xC3\n9 no equals\n");
  EXPECT_EQ(result.texts.size(), 2u);
  EXPECT_EQ(result.problems.size(), 4u);
  EXPECT_EQ(ParseLanguageFile("1=a\n").problems.size(), 2u) << "text outside LAN and no LAN section";
  EXPECT_FALSE(LoadLanguageFile("/nonexistent/9999.lan").loaded);
}

class LanguageCatalogTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  AppSettings settings{dir / "config"};

  std::unique_ptr<LanguageCatalog> Catalog(std::vector<int> set) {
    auto catalog = std::make_unique<LanguageCatalog>(kFixtures, settings);
    catalog->SetLanguageSet(std::move(set));
    return catalog;
  }
};

TEST_F(LanguageCatalogTest, GetTextCutsAt259CharactersAndMissesAreEmpty) {
  auto catalog = Catalog({1033});
  catalog->SetCurrentLcid(1033);
  const std::string text = catalog->GetText(5);
  EXPECT_EQ(Utf8Length(text), 259u);
  EXPECT_EQ(text.substr(text.size() - 2), "\xC3\xA9") << "the 259th character is whole";
  EXPECT_EQ(catalog->GetText(12345), "");
  catalog->SetCurrentLcid(1042);  // no file
  EXPECT_EQ(catalog->GetText(1), "");
}

TEST_F(LanguageCatalogTest, StartupChoiceFollowsStoredThenUserThenEnglish) {
  struct Case {
    const char* name;
    std::optional<std::string> stored;
    int user;
    std::vector<int> set;
    int expected;
  };
  const Case cases[] = {
      {"no setting, German user", std::nullopt, 1031, {2052, 1033}, 1033},
      {"no setting, Chinese user", std::nullopt, 2052, {2052, 1033}, 2052},
      {"stored Russian offered", "1049", 1033, {1033, 1049}, 1049},
      {"stored Japanese no longer offered", "1041", 1033, {2052, 1033}, 1033},
      {"stored text with junk", "1049abc", 0, {1049}, 1049},
  };
  for (const Case& c : cases) {
    test::TempDir case_dir;
    AppSettings case_settings(case_dir / "config");
    if (c.stored) {
      std::filesystem::create_directories(case_dir / "config");
      case_settings.WriteAppSetting("LCID", *c.stored);
    }
    LanguageCatalog catalog(kFixtures, case_settings);
    catalog.SetLanguageSet(c.set);
    catalog.ChooseStartupLanguage(c.user);
    EXPECT_EQ(catalog.CurrentLcid(), c.expected) << c.name;
    EXPECT_EQ(case_settings.ReadAppSetting("LCID"), c.expected) << c.name << ": the choice is remembered";
  }
}

TEST_F(LanguageCatalogTest, UnreadableSettingsStartInSimplifiedChinese) {
  if (::geteuid() == 0) GTEST_SKIP() << "root can read any folder";
  std::filesystem::create_directories(dir / "config");
  ::chmod((dir / "config").c_str(), 0);
  auto catalog = Catalog({2052, 1033});
  catalog->ChooseStartupLanguage(1033);
  ::chmod((dir / "config").c_str(), 0700);
  EXPECT_EQ(catalog->CurrentLcid(), 2052);
}

TEST_F(LanguageCatalogTest, SwitchLanguageReloadsTextsAndStoresTheChoice) {
  auto catalog = Catalog({1033, 1049});
  catalog->ChooseStartupLanguage(1033);
  EXPECT_EQ(catalog->GetText(1), "Hello");
  catalog->SwitchLanguage(1049);
  EXPECT_EQ(catalog->GetText(1), "Привет");
  EXPECT_EQ(settings.ReadAppSetting("LCID"), 1049);
}

TEST_F(LanguageCatalogTest, OffersOnlyKnownLanguagesOfTheSetInSelectorOrder) {
  auto catalog = Catalog({1049, 1031, 2052, 1049});
  const auto offered = catalog->OfferedLanguages();
  ASSERT_EQ(offered.size(), 2u) << "German is never offered; a repeated language is listed once";
  EXPECT_EQ(offered[0].lcid, 2052);
  EXPECT_EQ(offered[0].native_name, "简体中文");
  EXPECT_EQ(offered[1].native_name, "Русский язык");
  EXPECT_TRUE(catalog->IsOffered(1031));
}

TEST(LocaleLcid, MapsLocaleNamesToLanguageIds) {
  const std::pair<const char*, int> cases[] = {
      {"zh_CN.UTF-8", 2052},
      {"zh_SG", 2052},
      {"zh_TW.UTF-8", 1028},
      {"zh_HK", 1028},
      {"en_US.UTF-8", 1033},
      {"en_GB", 1033},
      {"ja_JP.UTF-8", 1041},
      {"ko_KR", 1042},
      {"uk_UA", 1058},
      {"ru_RU.KOI8-R", 1049},
      {"de_DE@euro", 1031},
      {"fr_FR", 1036},
      {"C", 0},
      {"POSIX", 0},
      {"", 0},
      {"xx_YY", 0},
  };
  for (const auto& [name, lcid] : cases) EXPECT_EQ(LcidFromLocaleName(name), lcid) << name;
}

TEST(LocaleLcid, LcAllWinsOverLang) {
  ::setenv("LC_ALL", "ja_JP.UTF-8", 1);
  ::setenv("LANG", "ru_RU.UTF-8", 1);
  EXPECT_EQ(UserUiLanguage(), 1041);
  ::unsetenv("LC_ALL");
  ::unsetenv("LC_MESSAGES");
  EXPECT_EQ(UserUiLanguage(), 1049);
}

}  // namespace
}  // namespace korvane
