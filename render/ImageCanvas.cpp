#include "render/ImageCanvas.h"

#include <QGuiApplication>
#include <QTransform>
#include <algorithm>

#include "render/CanvasText.h"
#include "render/LinePixels.h"

namespace {

bool IsDirect32Bit(QImage::Format format) {
  return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
         format == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

ImageCanvas::ImageCanvas(QImage& image) : m_image(image) {
  if (!IsDirect32Bit(m_image.format())) m_image.convertTo(QImage::Format_RGB32);
  m_bits = reinterpret_cast<QRgb*>(m_image.bits());
  m_stride = m_image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
  m_width = static_cast<unsigned>(std::max(0, m_image.width()));
  m_height = static_cast<unsigned>(std::max(0, m_image.height()));
}

void ImageCanvas::SetPixel(int x, int y, Color color) { Plot(x, y, ToQRgb(color)); }

void ImageCanvas::FillSquare(int x, int y, int size, Color color) {
  const QRgb rgb = ToQRgb(color);
  for (int dy = 0; dy < size; ++dy) {
    for (int dx = 0; dx < size; ++dx) Plot(x + dx, y + dy, rgb);
  }
}

void ImageCanvas::MoveTo(int x, int y) {
  m_x = x;
  m_y = y;
}

void ImageCanvas::LineTo(int x, int y) {
  const QRgb black = ToQRgb(colors::kBlack);
  if (y == m_y) {
    const long long shift = x < m_x ? 1 : 0;  // the end point is left out
    HorizontalRun(std::min(m_x, x) + shift, std::max(m_x, x) + shift, y, black);
  } else if (x == m_x) {
    const long long shift = y < m_y ? 1 : 0;
    VerticalRun(x, std::min(m_y, y) + shift, std::max(m_y, y) + shift, black);
  } else {
    const PixelBounds surface{0, 0, m_width, m_height};
    ForEachLinePixelWithin(m_x, m_y, x, y, surface, [&](int px, int py) { Plot(px, py, black); });
  }
  m_x = x;
  m_y = y;
}

void ImageCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty() || !qGuiApp) return;  // fonts need a QGuiApplication
  CopyCell(x, y, CanvasTextImage(text, m_textColor));
}

void ImageCanvas::TextOutUp(int x, int y, const std::string& text) {
  if (text.empty() || !qGuiApp) return;
  const QImage turned = CanvasTextImage(text, m_textColor).transformed(QTransform().rotate(-90));
  CopyCell(x, y, turned.convertToFormat(QImage::Format_RGB32));
}

void ImageCanvas::FillRect(int left, int top, int right, int bottom, Color color) {
  const QRgb rgb = ToQRgb(color);
  const int last = static_cast<int>(std::min<long long>(bottom, m_height));
  for (int y = std::max(top, 0); y < last; ++y) HorizontalRun(left, right, y, rgb);
}

void ImageCanvas::CopyCell(int x, int y, const QImage& cell) {
  const long long left = std::max(static_cast<long long>(x), 0LL);
  const long long right =
      std::min(static_cast<long long>(x) + cell.width(), static_cast<long long>(m_width));
  const long long top = std::max(static_cast<long long>(y), 0LL);
  const long long bottom =
      std::min(static_cast<long long>(y) + cell.height(), static_cast<long long>(m_height));
  // A cell wholly past an edge leaves nothing to copy.
  if (left >= right || top >= bottom) return;
  for (long long row = top; row < bottom; ++row) {
    const auto* source =
        reinterpret_cast<const QRgb*>(cell.constScanLine(static_cast<int>(row - y)));
    std::copy(source + (left - x), source + (right - x), m_bits + row * m_stride + left);
  }
}

void ImageCanvas::SetTextColor(Color color) { m_textColor = color; }

void ImageCanvas::FrameRect(int left, int top, int right, int bottom, Color color) {
  if (right <= left || bottom <= top) return;
  const QRgb rgb = ToQRgb(color);
  HorizontalRun(left, right, top, rgb);
  HorizontalRun(left, right, bottom - 1, rgb);
  VerticalRun(left, top, bottom, rgb);
  VerticalRun(right - 1, top, bottom, rgb);
}

void ImageCanvas::HorizontalRun(long long x0, long long x1, int y, QRgb rgb) {
  if (static_cast<unsigned>(y) >= m_height) return;
  const long long from = std::max(x0, 0LL);
  const long long to = std::min<long long>(x1, m_width);
  QRgb* row = m_bits + static_cast<qsizetype>(y) * m_stride;
  for (long long x = from; x < to; ++x) row[x] = rgb;
}

void ImageCanvas::VerticalRun(int x, long long y0, long long y1, QRgb rgb) {
  if (static_cast<unsigned>(x) >= m_width) return;
  const long long from = std::max(y0, 0LL);
  const long long to = std::min<long long>(y1, m_height);
  for (long long y = from; y < to; ++y) m_bits[y * m_stride + x] = rgb;
}

int ImageCanvas::TextWidth(const std::string& text) {
  if (text.empty() || !qGuiApp) return Canvas::TextWidth(text);
  return CanvasTextImage(text, m_textColor).width();
}

int ImageCanvas::TextHeight() {
  if (!qGuiApp) return Canvas::TextHeight();
  return CanvasTextImage("0", m_textColor).height();
}
