#pragma once

#include <QPainterPath>
#include <QPointF>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "render/PainterCanvas.h"
#include "view/Canvas.h"

class QPainter;

// A canvas for pictures made of shapes (SVG, PDF): the same drawing as the
// screen's, but a curve becomes a line through its samples, the data points
// and single pixels of one colour become one filled path, a dotted line a
// dashed one; frames, axis-parallel lines and text are drawn as the painter
// canvas draws them. Everything is drawn in the order it comes, and what is
// pending before any other operation and when the canvas goes away, which
// must happen before the painter ends.
class VectorCanvas : public Canvas {
 public:
  explicit VectorCanvas(QPainter& painter);
  ~VectorCanvas() override;
  VectorCanvas(const VectorCanvas&) = delete;
  VectorCanvas& operator=(const VectorCanvas&) = delete;

  void SetPixel(int x, int y, Color color) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, const std::string& text) override;
  void TextOutUp(int x, int y, const std::string& text) override;
  void SetTextColor(Color color) override;
  void FrameRect(int left, int top, int right, int bottom, Color color) override;
  int TextWidth(const std::string& text) override;
  int TextHeight() override;
  void BeginCurve() override;
  void EndCurve() override;
  void FillSquare(int x, int y, int size, Color color) override;
  void DottedLine(int x0, int y0, int x1, int y1, int step, Color color) override;
  void FillRect(int left, int top, int right, int bottom, Color color) override;

 private:
  // A square of cells of one colour joins the pending filled path.
  void AddCells(int x, int y, int size, Color color);
  void AddCurveSample(int x, int y, Color color);
  // Ends the curve's line through its samples so far; a sample with no
  // neighbour becomes a stroke across its pixel.
  void EndCurveRun();
  void DrawPending();
  // The pending squares as one path of rectangles.
  QPainterPath CellPath() const;

  QPainter& m_painter;
  PainterCanvas m_pixels;
  // The pending squares of one colour: the top rows of the squares of each
  // column and size, joined where they overlap when they are drawn.
  std::map<std::pair<int, int>, std::vector<int>> m_cells;
  Color m_cellColor = colors::kBlack;
  bool m_inCurve = false;
  // The curve's lines so far, and the points of the line being drawn, whose
  // points in a straight line with their neighbours are left out.
  QPainterPath m_curve;
  std::vector<QPointF> m_run;
  Color m_curveColor = colors::kBlack;
  int m_lastX = 0;
};
