// The core's message texts in the user's language. The texts are written in
// Japanese, marked with QT_TRANSLATE_NOOP("tav", ...) so that lupdate finds
// them; a host that speaks another language sets the translation function
// once, before any command runs. Without one every text stays as written.
#pragma once

#include <initializer_list>
#include <string>

// The marker lupdate reads; the core has no Qt, so here it is the plain text.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

// Returns the translation of a source text, or an empty string for none.
using TextTranslation = std::string (*)(const char* source);

// Sets the translation of every later text; nullptr restores the source texts.
void SetTextTranslation(TextTranslation translation);

// The text in the user's language: its translation, else the source text.
std::string Translated(const char* source);

// Translated(pattern) with %1, %2, ... %9 replaced by the arguments in one
// pass (an argument that contains "%2" is not replaced again).
std::string TranslatedFormat(const char* pattern, std::initializer_list<std::string> arguments);

// A marked source text kept as a constant: it turns into its translation
// where a std::string is wanted, at the time it is used.
struct MarkedText {
  const char* source;
  operator std::string() const { return Translated(source); }
};
