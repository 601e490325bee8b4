#include "render/RenderPng.h"

#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include "profile/AtomicFile.h"
#include "render/ImageCanvas.h"
#include "view/TavView.h"

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

// Fonts need a QGuiApplication. Without one (tav-cli), one is made on the
// offscreen platform, so that no display is needed, and kept for the process.
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

}  // namespace

bool RenderViewToPng(const CTavView& view, const std::string& path, int width, int height,
                     std::string& error) {
  if (width <= 0 || height <= 0) {
    error = "the image size must be positive";
    return false;
  }
  if (!EnsureGuiApplication(error)) return false;
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) {
    error = "not enough memory for the image";
    return false;
  }
  image.fill(Qt::white);
  {
    ImageCanvas canvas(image);
    view.OnDraw(canvas);
  }
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
    error = "the image cannot be encoded as PNG";
    return false;
  }
  return WriteFileReplacing(path, png.toStdString(), error);
}
