#include "language/locale_lcid.hpp"

#include <array>
#include <cstdlib>
#include <string>

namespace korvane {

namespace {

struct LocaleLcid {
  std::string_view name;  // "ll" or "ll_RR"
  int lcid;
};

// Region-specific entries come before the language's general entry.
constexpr std::array kLocales{
    LocaleLcid{"zh_CN", 2052}, LocaleLcid{"zh_SG", 2052}, LocaleLcid{"zh_TW", 1028}, LocaleLcid{"zh_HK", 1028},
    LocaleLcid{"zh_MO", 1028}, LocaleLcid{"zh", 2052},    LocaleLcid{"en", 1033},    LocaleLcid{"ja", 1041},
    LocaleLcid{"ko", 1042},    LocaleLcid{"uk", 1058},    LocaleLcid{"ru", 1049},    LocaleLcid{"de_AT", 3079},
    LocaleLcid{"de_CH", 2055}, LocaleLcid{"de", 1031},    LocaleLcid{"fr_CA", 3084}, LocaleLcid{"fr", 1036},
    LocaleLcid{"es_MX", 2058}, LocaleLcid{"es", 3082},    LocaleLcid{"it", 1040},    LocaleLcid{"pt_BR", 1046},
    LocaleLcid{"pt", 2070},    LocaleLcid{"nl", 1043},    LocaleLcid{"pl", 1045},    LocaleLcid{"tr", 1055},
    LocaleLcid{"cs", 1029},    LocaleLcid{"sk", 1051},    LocaleLcid{"hu", 1038},    LocaleLcid{"ro", 1048},
    LocaleLcid{"bg", 1026},    LocaleLcid{"el", 1032},    LocaleLcid{"sv", 1053},    LocaleLcid{"da", 1030},
    LocaleLcid{"nb", 1044},    LocaleLcid{"fi", 1035},    LocaleLcid{"he", 1037},    LocaleLcid{"ar", 1025},
    LocaleLcid{"th", 1054},    LocaleLcid{"vi", 1066},    LocaleLcid{"id", 1057},    LocaleLcid{"be", 1059},
};

}  // namespace

int LcidFromLocaleName(std::string_view locale) {
  const auto cut = locale.find_first_of(".@");
  if (cut != std::string_view::npos) locale = locale.substr(0, cut);
  if (locale.size() < 2) return 0;
  std::string normalised(locale);
  for (std::size_t i = 0; i < normalised.size(); ++i) {
    if (normalised[i] == '-') normalised[i] = '_';
  }
  const std::string_view language = std::string_view(normalised).substr(0, normalised.find('_'));
  for (const LocaleLcid& entry : kLocales) {
    if (entry.name == normalised || entry.name == language) return entry.lcid;
  }
  return 0;
}

int UserUiLanguage() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return LcidFromLocaleName(value);
  }
  return 0;
}

}  // namespace korvane
