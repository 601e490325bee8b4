#include "view/AxisDrawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "fit/PeakModel.h"
#include "view/AxisTicks.h"
#include "view/Canvas.h"
#include "view/PeakParameters.h"
#include "view/TavView.h"

namespace {

constexpr int kTickLength = 5;
constexpr int kLabelGap = 4;
constexpr int kTargetTicksX = 8;
constexpr int kTargetTicksY = 6;
// Every kGridDot-th pixel of a grid line is drawn.
constexpr int kGridDot = 3;

std::vector<AxisTick> IntensityTicks(const PlotMapping& m) {
  const DisplayRange& r = m.Range();
  const IntensityAxis& axis = m.Axis();
  switch (axis.Scale()) {
    case IntensityScale::kLog:
      return LogTicks(std::max(r.m_yMin, axis.Floor()), r.m_yMax, kTargetTicksY);
    case IntensityScale::kSqrt:
      return RoundTicks(std::max(r.m_yMin, 0.0), r.m_yMax, kTargetTicksY);
    case IntensityScale::kLinear:
      break;
  }
  return RoundTicks(r.m_yMin, r.m_yMax, kTargetTicksY);
}

void DrawVerticalGrid(const PlotLayout& l, int px, Canvas& dc) {
  for (int y = l.top + 1; y < l.bottom - 1; y += kGridDot) dc.SetPixel(px, y, colors::kLightGrey);
}

void DrawHorizontalGrid(const PlotLayout& l, int py, Canvas& dc) {
  for (int x = l.left + 1; x < l.right - 1; x += kGridDot) dc.SetPixel(x, py, colors::kLightGrey);
}

void DrawXTicks(const CTavView& v, const PlotMapping& m, Canvas& dc) {
  const PlotLayout& l = m.Layout();
  const DisplayRange& r = m.Range();
  const int labelTop = (l.strip ? l.stripBottom : l.bottom) + kLabelGap;
  for (const AxisTick& tick : RoundTicks(r.m_xMin, r.m_xMax, kTargetTicksX)) {
    const int px = m.XToPixel(tick.value);
    if (px < l.left || px >= l.right) continue;
    if (v.Plot().grid) DrawVerticalGrid(l, px, dc);
    dc.MoveTo(px, l.bottom - 1);
    dc.LineTo(px, l.bottom - 1 - kTickLength);
    dc.TextOut(px - dc.TextWidth(tick.label) / 2, labelTop, tick.label);
  }
}

void DrawYTicks(const CTavView& v, const PlotMapping& m, Canvas& dc) {
  const PlotLayout& l = m.Layout();
  const int half = dc.TextHeight() / 2;
  for (const AxisTick& tick : IntensityTicks(m)) {
    // The range's lower end maps onto the row below the frame's last.
    const int py = std::min(m.YToPixel(tick.value), l.bottom - 1);
    if (py < l.top) continue;
    if (v.Plot().grid) DrawHorizontalGrid(l, py, dc);
    dc.MoveTo(l.left, py);
    dc.LineTo(l.left + kTickLength, py);
    dc.TextOut(l.left - kLabelGap - dc.TextWidth(tick.label), py - half, tick.label);
  }
}

}  // namespace

void DrawAxisTicks(const CTavView& v, const PlotMapping& m, Canvas& dc) {
  const DisplayRange& r = m.Range();
  if (r.m_xMax > r.m_xMin) DrawXTicks(v, m, dc);
  if (r.m_yMax > r.m_yMin) DrawYTicks(v, m, dc);
}

void DrawResiduals(const CTavView& v, const PlotMapping& m, Canvas& dc) {
  const PlotLayout& l = m.Layout();
  if (!l.strip) return;
  dc.FrameRect(l.left, l.stripTop, l.right, l.stripBottom, colors::kGrey);
  std::vector<double> a(kMaxPeakParameters * kPeakCapacity + 3, 0.0);
  FillFittedParameters(v, a.data());
  const int npar = ParameterCount(v);
  const CTavDoc& doc = v.GetDocument();
  const PeakModel peaks = ModelOf(v);
  std::vector<int> columns;
  std::vector<double> residuals;
  double largest = 0.0;
  for (const int i : v.FitWindow()) {
    double model = 0.0;
    peaks.Value(doc.m_x[i], a.data(), model, npar);
    const double residual = doc.m_y[i] - model;
    if (!std::isfinite(residual)) continue;
    columns.push_back(m.XToPixel(doc.m_x[i]));
    residuals.push_back(residual);
    largest = std::max(largest, std::fabs(residual));
  }
  const int middle = (l.stripTop + l.stripBottom) / 2;
  const int half = (l.stripBottom - l.stripTop) / 2 - 2;
  for (int x = l.left + 1; x < l.right - 1; x += 2) dc.SetPixel(x, middle, colors::kGrey);
  if (largest == 0.0 || half <= 0) return;
  for (std::size_t j = 0; j < residuals.size(); ++j) {
    const int py = middle - static_cast<int>(std::lround(residuals[j] / largest * half));
    dc.SetPixel(columns[j], py, colors::kBlue);
    dc.SetPixel(columns[j] + 1, py, colors::kBlue);
    dc.SetPixel(columns[j], py + 1, colors::kBlue);
    dc.SetPixel(columns[j] + 1, py + 1, colors::kBlue);
  }
  char text[32];
  std::snprintf(text, sizeof text, "±%.3g", largest);
  dc.TextOut(l.left - kLabelGap - dc.TextWidth(text), l.stripTop, text);
}
