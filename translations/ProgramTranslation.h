// The program's own translations: the .ts files of this folder, compiled by
// lrelease at build time into the programs as Qt resources, and the hook
// through which the core's message texts reach them.
#pragma once

#include "lang/Language.h"

class QTranslator;

// Loads the program's texts in language into translator; false for Japanese,
// the language the texts are written in, and when no translation is built in.
bool LoadProgramTranslation(QTranslator& translator, Language language);

// Makes the core's message texts (text/Translate.h) come from translator,
// which must outlive every later command; nullptr restores the written texts.
void TranslateCoreTexts(const QTranslator* translator);
