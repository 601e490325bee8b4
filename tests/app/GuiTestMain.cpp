// Runs the GUI tests on real widgets without a display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>
#include <string>

#include "tests/support/GlobalState.h"
#include "tests/support/PrivateTempDir.h"

namespace {

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  // Harmless on the offscreen platform (menus ask it to raise and grab).
  if (message.contains(QStringLiteral("propagateSizeHints"))) return;
  if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

int main(int argc, char** argv) {
  const PrivateTempDir temp;
  // Test discovery runs this binary without the test's environment.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QTemporaryDir runtime(QDir::tempPath() + QStringLiteral("/tav-gui-tests-XXXXXX"));
  if (getenv("XDG_RUNTIME_DIR") == nullptr && runtime.isValid()) {
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData(), 1);
  }
  // Settings of a test run stay out of the user's own.
  QTemporaryDir config;
  if (config.isValid()) setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
  qInstallMessageHandler(QuietHandler);

  ::testing::InitGoogleTest(&argc, argv);
  InstallGlobalStateGuard();
  QApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  return RUN_ALL_TESTS();
}
