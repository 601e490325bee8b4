#include "render/GuiApplication.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>

namespace {

// Qt wants a private runtime folder and warns on every start without one
// (containers, CI): give it one of the user's own, as its fallback would.
void EnsureRuntimeDir() {
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  const QString dir =
      QDir::tempPath() + QStringLiteral("/runtime-tav-") + QString::number(getuid());
  if (!QDir().mkpath(dir)) return;
  QFile::setPermissions(dir,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir));
}

}  // namespace

bool EnsureGuiApplication(std::string& error) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return true;
  if (QCoreApplication::instance()) {
    error = "the program runs without a graphical application object";
    return false;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  EnsureRuntimeDir();
  static int argc = 1;
  static char name[] = "tav";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);  // lives until the process ends
  return true;
}
