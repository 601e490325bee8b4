#pragma once

#include <QPolygon>
#include <string>

#include "render/LinePixels.h"
#include "view/Canvas.h"

class QPainter;

// A canvas that draws through any active QPainter (a widget, an image, a
// printer) in the painter's own coordinates, one unit per pixel of the view.
// Runs of pixels of one colour are sent to the painter in one call; what is
// pending is drawn before any other operation and when the canvas goes away,
// which must happen before the painter ends. The painter's state is restored
// on destruction. Whatever lies outside the painter's device (and clip) is
// left out before it reaches the painter, so that coordinates far outside
// cost nothing; the painter's transformation and clip must stay as they are
// while the canvas lives.
class PainterCanvas : public Canvas {
 public:
  explicit PainterCanvas(QPainter& painter);
  ~PainterCanvas() override;
  PainterCanvas(const PainterCanvas&) = delete;
  PainterCanvas& operator=(const PainterCanvas&) = delete;

  void SetPixel(int x, int y, Color color) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, const std::string& text) override;
  void TextOutUp(int x, int y, const std::string& text) override;
  void FillRect(int left, int top, int right, int bottom, Color color) override;
  void SetTextColor(Color color) override;
  void FrameRect(int left, int top, int right, int bottom, Color color) override;
  int TextWidth(const std::string& text) override;
  int TextHeight() override;

  // Draws the pending pixels now.
  void Flush();

 private:
  void FillCells(long long left, long long top, long long right, long long bottom, Color color);

  QPainter& m_painter;
  PixelBounds m_visible;
  QPolygon m_pending;
  Color m_pendingColor = colors::kBlack;
  int m_x = 0;
  int m_y = 0;
  Color m_textColor = colors::kBlack;
};
