#include "render/RenderPng.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include "profile/AtomicFile.h"
#include "render/GuiApplication.h"
#include "render/ImageCanvas.h"
#include "view/TavView.h"

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
