// Which language the program speaks: Japanese or English, chosen by a
// command-line option or else by the user's locale. Knows nothing of any
// toolkit, so that both hosts can decide before they start.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

enum class Language { kJapanese, kEnglish };

// Reads an environment variable; nullptr when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// The process's own environment (std::getenv).
EnvironmentLookup ProcessEnvironment();

// "ja" or "en", the values of --lang; anything else is no language.
std::optional<Language> LanguageNamed(std::string_view name);

// Whether argv[index] was a --lang option, and a sound one.
enum class LangOption { kAbsent, kRead, kBad };

// Reads "--lang NAME" or "--lang=NAME" at argv[index] into language and
// moves index onto NAME's word; kBad when NAME is missing or not ja or en,
// kAbsent (nothing changed) when argv[index] is something else.
LangOption ReadLangOption(int argc, const char* const* argv, int& index,
                          std::optional<Language>& language);

// The language of the locale that decides messages, as POSIX orders the
// variables: the first of LC_ALL, LC_MESSAGES and LANG that is set and not
// empty. Japanese when it starts with "ja", English otherwise (also when
// none is set).
Language LanguageOfLocale(const EnvironmentLookup& environment);

// The GUI's language: the --lang choice when given, else the locale's.
Language GuiLanguage(std::optional<Language> requested, const EnvironmentLookup& environment);

// tav-cli's language: the --lang choice when given, else Japanese whatever
// the locale, because scripts read its Japanese message lines.
Language CliLanguage(std::optional<Language> requested);
