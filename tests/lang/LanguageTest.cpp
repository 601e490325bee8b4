// The choice of language: the locale variables in POSIX order, and --lang.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "lang/Language.h"

namespace {

EnvironmentLookup Environment(const std::map<std::string, std::string>& variables) {
  return [variables](const char* name) -> const char* {
    const auto found = variables.find(name);
    return found == variables.end() ? nullptr : found->second.c_str();
  };
}

TEST(Language, TheFirstLocaleVariableSetDecides) {
  const auto ja = Language::kJapanese;
  const auto en = Language::kEnglish;
  const struct {
    std::map<std::string, std::string> variables;
    Language expected;
  } cases[] = {
      {{}, en},
      {{{"LANG", "ja_JP.UTF-8"}}, ja},
      {{{"LANG", "C.UTF-8"}}, en},
      {{{"LANG", "ja_JP.UTF-8"}, {"LC_MESSAGES", "en_US.UTF-8"}}, en},
      {{{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "ja_JP.eucJP"}}, ja},
      {{{"LC_ALL", "ja"}, {"LC_MESSAGES", "en_GB"}, {"LANG", "en_GB"}}, ja},
      {{{"LC_ALL", "de_DE"}, {"LANG", "ja_JP.UTF-8"}}, en},
      // An empty variable counts as unset.
      {{{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "ja_JP.UTF-8"}}, ja},
      // Only the messages category matters, not the others.
      {{{"LC_CTYPE", "ja_JP.UTF-8"}, {"LC_TIME", "ja_JP.UTF-8"}}, en},
  };
  for (const auto& c : cases) {
    std::string trace;
    for (const auto& [name, value] : c.variables) trace += name + "=" + value + " ";
    SCOPED_TRACE(trace);
    EXPECT_EQ(LanguageOfLocale(Environment(c.variables)), c.expected);
  }
  const auto japaneseLocale = Environment({{"LANG", "ja_JP.UTF-8"}});
  EXPECT_EQ(GuiLanguage(Language::kEnglish, japaneseLocale), en);
  EXPECT_EQ(GuiLanguage(std::nullopt, japaneseLocale), ja);
  EXPECT_EQ(CliLanguage(std::nullopt), ja);
  EXPECT_EQ(CliLanguage(Language::kEnglish), en);
}

TEST(Language, LangOptionTakesJaOrEnAsTheNextWordOrAfterAnEqualsSign) {
  const char* argv[] = {"tav", "--lang",  "en",         "--lang=ja", "--lang",
                        "fr",  "--lang=", "--language", "-lang",     "--lang"};
  const int argc = static_cast<int>(std::size(argv));
  std::optional<Language> language;
  int index = 1;
  EXPECT_EQ(ReadLangOption(argc, argv, index, language), LangOption::kRead);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(language, Language::kEnglish);
  index = 3;
  EXPECT_EQ(ReadLangOption(argc, argv, index, language), LangOption::kRead);
  EXPECT_EQ(index, 3);
  EXPECT_EQ(language, Language::kJapanese);
  index = 4;
  EXPECT_EQ(ReadLangOption(argc, argv, index, language), LangOption::kBad);
  index = 6;
  EXPECT_EQ(ReadLangOption(argc, argv, index, language), LangOption::kBad);
  for (int other : {7, 8}) {
    index = other;
    language = Language::kEnglish;
    EXPECT_EQ(ReadLangOption(argc, argv, index, language), LangOption::kAbsent);
    EXPECT_EQ(index, other);
    EXPECT_EQ(language, Language::kEnglish);
  }
  // --lang as the last word has no value.
  index = argc - 1;
  EXPECT_EQ(ReadLangOption(argc, argv, index, language), LangOption::kBad);
}

}  // namespace
