#include "render/PainterCanvas.h"

#include <QList>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QRectF>
#include <QTransform>
#include <algorithm>
#include <climits>
#include <cmath>

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

// A coordinate of the painter's space as a cell edge, kept so far inside the
// int range that the width of any rectangle between two of them fits an int.
long long CellEdge(double v) {
  constexpr double kLimit = INT_MAX / 4;
  return static_cast<long long>(std::clamp(v, -kLimit, kLimit));
}

// The cells that reach the painter's device, and its clip where it has one,
// in the painter's coordinates. A painter that maps everything onto a line or
// a point shows none.
PixelBounds VisibleCells(const QPainter& painter) {
  bool invertible = false;
  const QTransform toCells = painter.combinedTransform().inverted(&invertible);
  if (!invertible) return {};
  const QPaintDevice* device = painter.device();
  QRectF area = toCells.mapRect(QRectF(0, 0, device->width(), device->height()));
  if (painter.hasClipping()) area &= painter.clipBoundingRect();
  if (area.isEmpty()) return {};
  return {CellEdge(std::floor(area.left())), CellEdge(std::floor(area.top())),
          CellEdge(std::ceil(area.right())), CellEdge(std::ceil(area.bottom()))};
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter)
    : m_painter(painter), m_visible(VisibleCells(painter)) {
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
  if (!m_visible.Contains(x, y)) return;
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
    ForEachLinePixelWithin(m_x, m_y, x, y, m_visible,
                           [&](int px, int py) { points.append(QPoint(px, py)); });
    DrawCells(m_painter, points, colors::kBlack);
  }
  m_x = x;
  m_y = y;
}

void PainterCanvas::TextOut(int x, int y, const std::string& text) {
  Flush();
  const QSize cell = CanvasTextCellSize(m_painter, text);
  if (!m_visible.Meets(x, y, static_cast<long long>(x) + cell.width(),
                       static_cast<long long>(y) + cell.height())) {
    return;
  }
  DrawCanvasText(m_painter, x, y, text, m_textColor);
}

void PainterCanvas::TextOutUp(int x, int y, const std::string& text) {
  Flush();
  const QSize cell = CanvasTextCellSize(m_painter, text);
  if (!m_visible.Meets(x, y, static_cast<long long>(x) + cell.height(),
                       static_cast<long long>(y) + cell.width())) {
    return;
  }
  m_painter.save();
  m_painter.translate(x, y + cell.width());
  m_painter.rotate(-90);
  DrawCanvasText(m_painter, 0, 0, text, m_textColor);
  m_painter.restore();
}

void PainterCanvas::FillRect(int left, int top, int right, int bottom, Color color) {
  Flush();
  FillCells(left, top, right, bottom, color);
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

// Fills the cells [left, right) x [top, bottom) that are visible.
void PainterCanvas::FillCells(long long left, long long top, long long right, long long bottom,
                              Color color) {
  const auto l = static_cast<int>(std::max(left, m_visible.left));
  const auto t = static_cast<int>(std::max(top, m_visible.top));
  const auto r = static_cast<int>(std::min(right, m_visible.right));
  const auto b = static_cast<int>(std::min(bottom, m_visible.bottom));
  if (r > l && b > t) m_painter.fillRect(QRect(l, t, r - l, b - t), ToQColor(color));
}

int PainterCanvas::TextWidth(const std::string& text) {
  return CanvasTextCellSize(m_painter, text).width();
}

int PainterCanvas::TextHeight() { return CanvasTextCellSize(m_painter, "0").height(); }
