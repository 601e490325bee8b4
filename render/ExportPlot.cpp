#include "render/ExportPlot.h"

#include <QBuffer>
#include <QByteArray>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>

#include "profile/AtomicFile.h"
#include "render/GuiApplication.h"
#include "render/RenderPng.h"
#include "render/VectorCanvas.h"
#include "view/TavView.h"

namespace {

// Dots per inch of the PDF page: one pixel of the plot is one point.
constexpr int kPdfResolution = 72;

bool EndsWith(const std::string& path, const std::string& extension) {
  if (path.size() < extension.size()) return false;
  std::string tail = path.substr(path.size() - extension.size());
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return tail == extension;
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

// Draws the view in shapes on a white width x height picture of the device.
bool DrawShapes(const CTavView& view, QPaintDevice& device, int width, int height,
                std::string& error) {
  QPainter painter;
  if (!painter.begin(&device)) {
    error = "the drawing cannot be started";
    return false;
  }
  painter.fillRect(QRect(0, 0, width, height), Qt::white);
  {
    VectorCanvas canvas(painter);
    view.OnDraw(canvas);
  }
  painter.end();
  return true;
}

// Opens a buffer that collects a drawing in memory, so that the file is
// written whole or not at all.
bool OpenDrawingBuffer(QBuffer& buffer, std::string& error) {
  if (buffer.open(QIODevice::WriteOnly)) return true;
  error = "no memory for the drawing";
  return false;
}

bool WriteSvg(const CTavView& view, const std::string& path, int width, int height,
              std::string& error) {
  QByteArray svg;
  QBuffer buffer(&svg);
  if (!OpenDrawingBuffer(buffer, error)) return false;
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(width, height));
  generator.setViewBox(QRect(0, 0, width, height));
  generator.setTitle(QStringLiteral("tav"));
  if (!DrawShapes(view, generator, width, height, error)) return false;
  return WriteFileReplacing(path, svg.toStdString(), error);
}

// A PDF page of width x height points, one point a pixel of the plot.
bool WritePdf(const CTavView& view, const std::string& path, int width, int height,
              std::string& error) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  if (!OpenDrawingBuffer(buffer, error)) return false;
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfResolution);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(QPageSize(QSizeF(width, height), QPageSize::Point));
    writer.setTitle(QStringLiteral("tav"));
    writer.setCreator(QStringLiteral("tav"));
    if (!DrawShapes(view, writer, width, height, error)) return false;
  }
  return WriteFileReplacing(path, pdf.toStdString(), error);
}

}  // namespace

bool ExportPlot(CTavView& view, const std::string& path, int width, int height,
                std::string& error) {
  if (width <= 0 || height <= 0) {
    error = "the image size must be positive";
    return false;
  }
  if (!EnsureGuiApplication(error)) return false;
  const PictureSize size(view, width, height);
  if (EndsWith(path, ".svg")) return WriteSvg(view, path, width, height, error);
  if (EndsWith(path, ".pdf")) return WritePdf(view, path, width, height, error);
  return RenderViewToPng(view, path, width, height, error);
}
