#pragma once

#include <optional>

#include "lang/Language.h"

class QMainWindow;

// The language chosen in 表示 → 言語, remembered between runs; it overrides
// the locale, and --lang overrides it. Nothing when the user never chose.
std::optional<Language> StoredLanguage();
void StoreLanguage(Language language);

// Adds the 言語 choice (日本語 / English) to the window's
// menu bar, current checked. A new choice is stored and takes effect at the
// next start, which a message box says.
void AddLanguageMenu(QMainWindow& window, Language current);
