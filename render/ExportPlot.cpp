#include "render/ExportPlot.h"

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>

#include "profile/AtomicFile.h"
#include "render/GuiApplication.h"
#include "render/PainterCanvas.h"
#include "render/RenderPng.h"
#include "view/TavView.h"

namespace {

bool EndsWithSvg(const std::string& path) {
  if (path.size() < 4) return false;
  std::string tail = path.substr(path.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return tail == ".svg";
}

// The view's plot options with the size of the picture, for as long as it
// lives.
class PictureSize {
 public:
  PictureSize(CTavView& view, int width, int height) : m_view(view), m_saved(view.Plot()) {
    PlotOptions options = m_saved;
    options.size = PlotSize{width, height};
    m_view.SetPlotOptions(options);
  }
  ~PictureSize() { m_view.SetPlotOptions(m_saved); }
  PictureSize(const PictureSize&) = delete;
  PictureSize& operator=(const PictureSize&) = delete;

 private:
  CTavView& m_view;
  PlotOptions m_saved;
};

bool WriteSvg(const CTavView& view, const std::string& path, int width, int height,
              std::string& error) {
  QByteArray svg;
  QBuffer buffer(&svg);
  if (!buffer.open(QIODevice::WriteOnly)) {
    error = "no memory for the drawing";
    return false;
  }
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(width, height));
  generator.setViewBox(QRect(0, 0, width, height));
  generator.setTitle(QStringLiteral("tav"));
  QPainter painter;
  if (!painter.begin(&generator)) {
    error = "the drawing cannot be started";
    return false;
  }
  painter.fillRect(QRect(0, 0, width, height), Qt::white);
  {
    PainterCanvas canvas(painter);
    view.OnDraw(canvas);
  }
  painter.end();
  return WriteFileReplacing(path, svg.toStdString(), error);
}

}  // namespace

void DefaultExportSize(const CTavView& view, int& width, int& height) {
  const PlotSize& size = view.Plot().size;
  width = size.width > 0 ? size.width : plot::kPictureWidth;
  height = size.width > 0 ? size.height : plot::kPictureHeight;
}

bool ExportPlot(CTavView& view, const std::string& path, int width, int height,
                std::string& error) {
  if (width <= 0 || height <= 0) {
    error = "the image size must be positive";
    return false;
  }
  if (!EnsureGuiApplication(error)) return false;
  const PictureSize size(view, width, height);
  if (EndsWithSvg(path)) return WriteSvg(view, path, width, height, error);
  return RenderViewToPng(view, path, width, height, error);
}
