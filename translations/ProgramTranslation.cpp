#include "translations/ProgramTranslation.h"

#include <QString>
#include <QTranslator>

#include "text/Translate.h"

namespace {

// The context of the core's texts in the .ts files.
constexpr const char* kCoreContext = "tav";

const QTranslator* g_coreTranslator = nullptr;

// Read-only lookups: the series fit's threads may translate at once.
std::string CoreTranslation(const char* source) {
  return g_coreTranslator->translate(kCoreContext, source).toStdString();
}

}  // namespace

bool LoadProgramTranslation(QTranslator& translator, Language language) {
  if (language != Language::kEnglish) return false;
  return translator.load(QStringLiteral(":/translations/tav_en.qm"));
}

void TranslateCoreTexts(const QTranslator* translator) {
  g_coreTranslator = translator;
  SetTextTranslation(translator != nullptr ? CoreTranslation : nullptr);
}
