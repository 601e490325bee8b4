// The English translation built into the programs reaches the core's texts.
#include <gtest/gtest.h>

#include <QTranslator>

#include "text/Translate.h"
#include "translations/ProgramTranslation.h"

namespace {

TEST(ProgramTranslation, EnglishIsBuiltInAndReachesTheCoreTexts) {
  QTranslator japanese;
  EXPECT_FALSE(LoadProgramTranslation(japanese, Language::kJapanese));

  QTranslator english;
  ASSERT_TRUE(LoadProgramTranslation(english, Language::kEnglish));
  TranslateCoreTexts(&english);
  EXPECT_EQ(Translated(QT_TRANSLATE_NOOP("tav", "収束しました")), "Converged");
  EXPECT_EQ(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "ファイルを開けません: %1 (%2)"),
                             {"a.asc", "No such file or directory"}),
            "Cannot open a.asc (No such file or directory)");
  TranslateCoreTexts(nullptr);
  EXPECT_EQ(Translated(QT_TRANSLATE_NOOP("tav", "収束しました")), "収束しました");
}

}  // namespace
