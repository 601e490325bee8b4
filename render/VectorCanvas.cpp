#include "render/VectorCanvas.h"

#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QVector>
#include <algorithm>

#include "render/CanvasText.h"

namespace {

// The centre of pixel (x, y): the lines of a vector picture run through it.
QPointF Centre(int x, int y) { return QPointF(x + 0.5, y + 0.5); }

}  // namespace

VectorCanvas::VectorCanvas(QPainter& painter) : m_painter(painter), m_pixels(painter) {}

VectorCanvas::~VectorCanvas() { DrawPending(); }

void VectorCanvas::DrawPending() {
  EndCurveRun();
  if (!m_curve.isEmpty()) {
    QPen pen(ToQColor(m_curveColor), 1.0);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::FlatCap);
    m_painter.strokePath(m_curve, pen);
    m_curve = QPainterPath();
  }
  if (!m_cells.empty()) {
    m_painter.fillPath(CellPath(), ToQColor(m_cellColor));
    m_cells.clear();
  }
}

QPainterPath VectorCanvas::CellPath() const {
  QPainterPath path;
  // Overlapping squares must not cancel each other out.
  path.setFillRule(Qt::WindingFill);
  for (const auto& [column, tops] : m_cells) {
    const auto [x, size] = column;
    std::vector<int> rows = tops;
    std::sort(rows.begin(), rows.end());
    std::size_t i = 0;
    while (i < rows.size()) {
      const int top = rows[i];
      int bottom = rows[i] + size;
      while (++i < rows.size() && rows[i] <= bottom) bottom = std::max(bottom, rows[i] + size);
      path.addRect(QRectF(x, top, size, bottom - top));
    }
  }
  return path;
}

void VectorCanvas::AddCells(int x, int y, int size, Color color) {
  if (color != m_cellColor || !m_run.empty() || !m_curve.isEmpty()) {
    DrawPending();
    m_cellColor = color;
  }
  m_cells[{x, size}].push_back(y);
}

void VectorCanvas::AddCurveSample(int x, int y, Color color) {
  if (color != m_curveColor || !m_cells.empty()) {
    DrawPending();
    m_curveColor = color;
  }
  if (m_run.empty() || x != m_lastX + 1) EndCurveRun();
  const QPointF point = Centre(x, y);
  // A point in line with the last two replaces the last.
  const std::size_t n = m_run.size();
  if (n >= 2 && point.y() - m_run[n - 1].y() == m_run[n - 1].y() - m_run[n - 2].y()) {
    m_run.back() = point;
  } else {
    m_run.push_back(point);
  }
  m_lastX = x;
}

void VectorCanvas::EndCurveRun() {
  if (m_run.size() == 1) {
    // A lone sample stays the pixel it is on the screen: a stroke across it.
    m_curve.moveTo(m_run[0].x() - 0.5, m_run[0].y());
    m_curve.lineTo(m_run[0].x() + 0.5, m_run[0].y());
  } else if (!m_run.empty()) {
    m_curve.moveTo(m_run[0]);
    for (std::size_t i = 1; i < m_run.size(); ++i) m_curve.lineTo(m_run[i]);
  }
  m_run.clear();
}

void VectorCanvas::SetPixel(int x, int y, Color color) {
  if (m_inCurve) return AddCurveSample(x, y, color);
  AddCells(x, y, 1, color);
}

void VectorCanvas::BeginCurve() {
  DrawPending();
  m_inCurve = true;
}

void VectorCanvas::EndCurve() {
  DrawPending();
  m_inCurve = false;
}

void VectorCanvas::FillSquare(int x, int y, int size, Color color) { AddCells(x, y, size, color); }

void VectorCanvas::DottedLine(int x0, int y0, int x1, int y1, int step, Color color) {
  DrawPending();
  const bool row = y0 == y1;
  if ((row ? x1 - x0 : y1 - y0) <= 0 || step <= 0) return;
  // One-pixel dashes every step pixels, from the first dot's centre.
  QPen pen(ToQColor(color), 1.0);
  pen.setCapStyle(Qt::FlatCap);
  pen.setDashPattern(QVector<qreal>{1.0, static_cast<qreal>(step - 1)});
  m_painter.save();
  m_painter.setPen(pen);
  const int last = (row ? x1 - x0 - 1 : y1 - y0 - 1) / step * step;
  if (row) {
    m_painter.drawLine(QPointF(x0, y0 + 0.5), QPointF(x0 + last + 1, y0 + 0.5));
  } else {
    m_painter.drawLine(QPointF(x0 + 0.5, y0), QPointF(x0 + 0.5, y0 + last + 1));
  }
  m_painter.restore();
}

void VectorCanvas::FillRect(int left, int top, int right, int bottom, Color color) {
  DrawPending();
  if (right > left && bottom > top) {
    m_painter.fillRect(QRectF(left, top, right - left, bottom - top), ToQColor(color));
  }
}

void VectorCanvas::MoveTo(int x, int y) { m_pixels.MoveTo(x, y); }

void VectorCanvas::LineTo(int x, int y) {
  DrawPending();
  m_pixels.LineTo(x, y);
}

void VectorCanvas::TextOut(int x, int y, const std::string& text) {
  DrawPending();
  m_pixels.TextOut(x, y, text);
}

void VectorCanvas::TextOutUp(int x, int y, const std::string& text) {
  DrawPending();
  m_pixels.TextOutUp(x, y, text);
}

void VectorCanvas::SetTextColor(Color color) { m_pixels.SetTextColor(color); }

void VectorCanvas::FrameRect(int left, int top, int right, int bottom, Color color) {
  DrawPending();
  m_pixels.FrameRect(left, top, right, bottom, color);
}

int VectorCanvas::TextWidth(const std::string& text) { return m_pixels.TextWidth(text); }

int VectorCanvas::TextHeight() { return m_pixels.TextHeight(); }
