#include "render/PainterCanvas.h"

#include <QList>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <algorithm>
#include <climits>

#include "render/CanvasText.h"
#include "render/LinePixels.h"

namespace {

bool IsScaled(const QPainter& painter) {
  return painter.transform().type() > QTransform::TxTranslate;
}

// Pixels as cells of the view: on an unscaled painter points of the fast
// cosmetic pen, on a scaled one (a printer page) filled squares that scale
// with it.
void DrawCells(QPainter& painter, const QPolygon& points, Color color) {
  if (!IsScaled(painter)) {
    painter.setPen(QPen(ToQColor(color), 0));
    painter.drawPoints(points);
    return;
  }
  QList<QRect> cells;
  cells.reserve(points.size());
  for (const QPoint& p : points) cells.append(QRect(p, QSize(1, 1)));
  painter.setPen(Qt::NoPen);
  painter.setBrush(ToQColor(color));
  painter.drawRects(cells);
  painter.setBrush(Qt::NoBrush);
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter) : m_painter(painter) {
  m_painter.save();
  m_painter.setRenderHint(QPainter::Antialiasing, false);
  m_painter.setBrush(Qt::NoBrush);
}

PainterCanvas::~PainterCanvas() {
  Flush();
  m_painter.restore();
}

void PainterCanvas::Flush() {
  if (m_pending.isEmpty()) return;
  DrawCells(m_painter, m_pending, m_pendingColor);
  m_pending.clear();
}

void PainterCanvas::SetPixel(int x, int y, Color color) {
  if (color != m_pendingColor) {
    Flush();
    m_pendingColor = color;
  }
  m_pending.append(QPoint(x, y));
}

void PainterCanvas::MoveTo(int x, int y) {
  m_x = x;
  m_y = y;
}

void PainterCanvas::LineTo(int x, int y) {
  Flush();
  if (y == m_y || x == m_x) {
    // An axis-parallel line is a run of cells, the end point left out.
    const long long shiftX = x < m_x ? 1 : 0;
    const long long shiftY = y < m_y ? 1 : 0;
    const long long left = std::min(m_x, x) + shiftX;
    const long long top = std::min(m_y, y) + shiftY;
    const long long right = y == m_y ? std::max(m_x, x) + shiftX : left + 1;
    const long long bottom = x == m_x ? std::max(m_y, y) + shiftY : top + 1;
    if (x != m_x || y != m_y) FillCells(left, top, right, bottom, colors::kBlack);
  } else {
    QPolygon points;
    ForEachLinePixel(m_x, m_y, x, y, [&](int px, int py) { points.append(QPoint(px, py)); });
    DrawCells(m_painter, points, colors::kBlack);
  }
  m_x = x;
  m_y = y;
}

void PainterCanvas::TextOut(int x, int y, const std::string& text) {
  Flush();
  DrawCanvasText(m_painter, x, y, text, m_textColor);
}

void PainterCanvas::SetTextColor(Color color) { m_textColor = color; }

void PainterCanvas::FrameRect(int left, int top, int right, int bottom, Color color) {
  Flush();
  if (right <= left || bottom <= top) return;
  FillCells(left, top, right, top + 1LL, color);
  FillCells(left, bottom - 1LL, right, bottom, color);
  FillCells(left, top, left + 1LL, bottom, color);
  FillCells(right - 1LL, top, right, bottom, color);
}

// Fills the cells [left, right) x [top, bottom), kept within what a QRect holds.
void PainterCanvas::FillCells(long long left, long long top, long long right, long long bottom,
                              Color color) {
  const auto clamp = [](long long v) {
    constexpr long long kLimit = INT_MAX / 2;
    return static_cast<int>(std::max(-kLimit, std::min(v, kLimit)));
  };
  const int l = clamp(left);
  const int t = clamp(top);
  const int r = clamp(right);
  const int b = clamp(bottom);
  if (r > l && b > t) m_painter.fillRect(QRect(l, t, r - l, b - t), ToQColor(color));
}
