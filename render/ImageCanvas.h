#pragma once

#include <QImage>
#include <string>

#include "view/Canvas.h"

// A canvas on a QImage that writes pixels, lines, frames and text cells
// straight into the image's memory, clipped to the image (a line is walked
// only where it crosses the image, however far away its ends are). Text needs a
// QGuiApplication (for fonts) and is left out without one.
// The image is converted to a 32-bit RGB format if it is in another one; it
// must outlive the canvas and must not be painted on by others meanwhile.
class ImageCanvas : public Canvas {
 public:
  explicit ImageCanvas(QImage& image);
  ImageCanvas(const ImageCanvas&) = delete;
  ImageCanvas& operator=(const ImageCanvas&) = delete;

  void SetPixel(int x, int y, Color color) override;
  void FillSquare(int x, int y, int size, Color color) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, const std::string& text) override;
  void TextOutUp(int x, int y, const std::string& text) override;
  void FillRect(int left, int top, int right, int bottom, Color color) override;
  void SetTextColor(Color color) override;
  void FrameRect(int left, int top, int right, int bottom, Color color) override;
  int TextWidth(const std::string& text) override;
  int TextHeight() override;

 private:
  void Plot(int x, int y, QRgb rgb) {
    if (static_cast<unsigned>(x) < m_width && static_cast<unsigned>(y) < m_height) {
      m_bits[static_cast<qsizetype>(y) * m_stride + x] = rgb;
    }
  }
  // Copies the cell's pixels with its top-left corner at (x, y).
  void CopyCell(int x, int y, const QImage& cell);
  void HorizontalRun(long long x0, long long x1, int y, QRgb rgb);  // columns x0..x1-1
  void VerticalRun(int x, long long y0, long long y1, QRgb rgb);    // rows y0..y1-1

  QImage& m_image;
  QRgb* m_bits = nullptr;
  qsizetype m_stride = 0;  // in pixels
  unsigned m_width = 0;
  unsigned m_height = 0;
  int m_x = 0;
  int m_y = 0;
  Color m_textColor = colors::kBlack;
};

// The 32-bit pixel value of a colour of the 0x00BBGGRR layout.
inline QRgb ToQRgb(Color color) {
  return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}
