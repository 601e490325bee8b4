// tav: the GUI of the peak-fitting tool.
#include <clocale>

#include <QApplication>

#include "app/TavApp.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
  QApplication::setApplicationName(QStringLiteral("tav"));
  // Qt adopts the user's locale; the readers and writers read and print
  // numbers with a decimal point whatever the locale.
  std::setlocale(LC_NUMERIC, "C");

  CTavApp app;
  if (!app.InitInstance(application.arguments().mid(1))) return 1;
  const int status = application.exec();
  app.ExitInstance();
  return status;
}
