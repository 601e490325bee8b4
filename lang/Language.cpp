#include "lang/Language.h"

#include <cstdlib>

EnvironmentLookup ProcessEnvironment() {
  return [](const char* name) -> const char* { return std::getenv(name); };
}

std::optional<Language> LanguageNamed(std::string_view name) {
  if (name == "ja") return Language::kJapanese;
  if (name == "en") return Language::kEnglish;
  return std::nullopt;
}

LangOption ReadLangOption(int argc, const char* const* argv, int& index,
                          std::optional<Language>& language) {
  constexpr std::string_view kJoined = "--lang=";
  const std::string_view arg = argv[index];
  std::string_view name;
  if (arg == "--lang") {
    if (index + 1 >= argc) return LangOption::kBad;
    name = argv[++index];
  } else if (arg.starts_with(kJoined)) {
    name = arg.substr(kJoined.size());
  } else {
    return LangOption::kAbsent;
  }
  language = LanguageNamed(name);
  return language ? LangOption::kRead : LangOption::kBad;
}

Language LanguageOfLocale(const EnvironmentLookup& environment) {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = environment(variable);
    if (value == nullptr || *value == '\0') continue;
    return std::string_view(value).starts_with("ja") ? Language::kJapanese : Language::kEnglish;
  }
  return Language::kEnglish;
}

Language GuiLanguage(std::optional<Language> requested, const EnvironmentLookup& environment) {
  return requested.value_or(LanguageOfLocale(environment));
}

Language CliLanguage(std::optional<Language> requested) {
  return requested.value_or(Language::kJapanese);
}
