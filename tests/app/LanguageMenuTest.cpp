// The View menu's language choice, and the dialogs under the English
// translation.
#include <gtest/gtest.h>

#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include "app/FileTypeDlg.h"
#include "app/LanguageMenu.h"
#include "app/Preferences.h"
#include "tests/app/GuiFixture.h"
#include "translations/ProgramTranslation.h"

namespace {

TEST(LanguageMenu, AChoiceIsRememberedAndTakesEffectAtTheNextStart) {
  ProgramSettings().remove(QStringLiteral("Settings/Language"));
  EXPECT_EQ(StoredLanguage(), std::nullopt);
  QMainWindow window;
  AddLanguageMenu(window, Language::kJapanese);
  QMenu* view = window.menuBar()->actions().last()->menu();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->title(), QStringLiteral("表示(&V)"));
  QMenu* languages = view->actions().value(0)->menu();
  ASSERT_NE(languages, nullptr);
  const QList<QAction*> items = languages->actions();
  ASSERT_EQ(items.size(), 2);
  EXPECT_EQ(items[0]->text(), QStringLiteral("日本語"));
  EXPECT_EQ(items[1]->text(), QStringLiteral("English"));
  EXPECT_TRUE(items[0]->isChecked());

  QString told;
  {
    ModalScript script({[&told](QWidget* box) {
      told = static_cast<QMessageBox*>(box)->text();
      box->close();
    }});
    items[1]->trigger();
  }
  EXPECT_EQ(told, QStringLiteral("言語の変更は次回の起動から有効になります。"));
  EXPECT_EQ(StoredLanguage(), Language::kEnglish);
  EXPECT_TRUE(items[1]->isChecked());
  EXPECT_FALSE(items[0]->isChecked());
  // Back to the language in use: stored, nothing to say.
  items[0]->trigger();
  EXPECT_EQ(StoredLanguage(), Language::kJapanese);
  ProgramSettings().remove(QStringLiteral("Settings/Language"));
}

TEST(LanguageMenu, DialogsSpeakEnglishUnderTheEnglishTranslation) {
  QTranslator english;
  ASSERT_TRUE(LoadProgramTranslation(english, Language::kEnglish));
  QCoreApplication::installTranslator(&english);
  {
    CFileTypeDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("File Type"));
    // The button comes from the dialogs' common base, a context of its own.
    EXPECT_EQ(dialog.CancelButton()->text(), QStringLiteral("Cancel"));
  }
  QCoreApplication::removeTranslator(&english);
  CFileTypeDlg japanese;
  EXPECT_EQ(japanese.CancelButton()->text(), QStringLiteral("ｷｬﾝｾﾙ"));
}

}  // namespace
