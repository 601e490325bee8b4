// The GUI of the peak-fitting tool, in the module that the program tav loads
// once its command line asks for the window.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <clocale>

#include "app/GuiCommandLine.h"
#include "app/LanguageMenu.h"
#include "app/TavApp.h"
#include "translations/ProgramTranslation.h"

namespace {

// Qt's own texts (file, print and message-box dialogs) in language, where
// Qt's translations are installed; English needs none.
void LoadQtTexts(QTranslator& translator, Language language) {
  if (language != Language::kJapanese) return;
  if (translator.load(QStringLiteral("qtbase_ja"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&translator);
  }
}

}  // namespace

// Runs the window for the command line tav was started with (its own
// options already accepted by the program).
extern "C" __attribute__((visibility("default"))) int TavGuiMain(int argc, char** argv) {
  GuiOptions options = ParseGuiCommandLine(argc, argv);
  int qtArgc = static_cast<int>(options.remaining.size());
  options.remaining.push_back(nullptr);
  QApplication application(qtArgc, options.remaining.data());
  QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
  QApplication::setApplicationName(QStringLiteral("tav"));
  // Qt adopts the user's locale; the readers and writers read and print
  // numbers with a decimal point whatever the locale.
  std::setlocale(LC_NUMERIC, "C");
  // The windows speak --lang's language, else the one chosen in the View
  // menu, else the locale's; Qt's own dialogs follow. The texts are written
  // in Japanese: other languages come from the program's translation, which
  // the core's messages use too.
  const Language windowLanguage =
      GuiLanguage(options.language ? options.language : StoredLanguage(), ProcessEnvironment());
  QTranslator qtTexts;
  LoadQtTexts(qtTexts, windowLanguage);
  QTranslator programTexts;
  if (LoadProgramTranslation(programTexts, windowLanguage)) {
    QApplication::installTranslator(&programTexts);
    TranslateCoreTexts(&programTexts);
  }

  CTavApp app(windowLanguage);
  if (!app.InitInstance(application.arguments().mid(1))) return 1;
  const int status = application.exec();
  app.ExitInstance();
  return status;
}
