// tav: the GUI of the peak-fitting tool.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <clocale>

#include "app/TavApp.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
  QApplication::setApplicationName(QStringLiteral("tav"));
  // Qt adopts the user's locale; the readers and writers read and print
  // numbers with a decimal point whatever the locale.
  std::setlocale(LC_NUMERIC, "C");
  // The program speaks Japanese whatever the user's locale, and so do Qt's
  // own dialogs (file, print, message box buttons) where the translation is
  // installed.
  QTranslator qtTexts;
  if (qtTexts.load(QStringLiteral("qtbase_ja"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts);
  }

  CTavApp app;
  if (!app.InitInstance(application.arguments().mid(1))) return 1;
  const int status = application.exec();
  app.ExitInstance();
  return status;
}
