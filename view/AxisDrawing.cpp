#include "view/AxisDrawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "fit/PeakModel.h"
#include "text/Translate.h"
#include "view/AxisTicks.h"
#include "view/Canvas.h"
#include "view/PeakParameters.h"
#include "view/TavView.h"

namespace {

constexpr const char* kIntensityTitle = QT_TRANSLATE_NOOP("tav", "強度 (カウント)");
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
  dc.DottedLine(px, l.top + 1, px, l.bottom - 1, kGridDot, colors::kLightGrey);
}

void DrawHorizontalGrid(const PlotLayout& l, int py, Canvas& dc) {
  dc.DottedLine(l.left + 1, py, l.right - 1, py, kGridDot, colors::kLightGrey);
}

// The widest label of the intensity ticks, 0 without ticks.
int WidestIntensityLabel(const PlotMapping& m, Canvas& dc) {
  int widest = 0;
  for (const AxisTick& tick : IntensityTicks(m))
    widest = std::max(widest, dc.TextWidth(tick.label));
  return widest;
}

// X's name and unit as the profile states them.
std::string XTitle(const CTavDoc& doc) {
  if (doc.m_xQuantity == "2theta") return "2θ (°)";
  const std::string name = doc.m_xQuantity == "q" ? "Q" : doc.m_xQuantity;
  if (doc.m_xUnit == "1/angstrom") return name + " (Å⁻¹)";
  if (doc.m_xUnit == "1/nm") return name + " (nm⁻¹)";
  if (doc.m_xUnit == "deg") return name + " (°)";
  return doc.m_xUnit.empty() ? name : name + " (" + doc.m_xUnit + ")";
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

void DrawAxisTitles(const CTavView& v, const PlotMapping& m, Canvas& dc) {
  const PlotLayout& l = m.Layout();
  const int textHeight = dc.TextHeight();
  const bool ticks = v.Plot().ticks;
  const int labelTop = ticks ? (l.strip ? l.stripBottom : l.bottom) + kLabelGap : l.xLabelY;
  const std::string x = XTitle(v.GetDocument());
  dc.SetTextColor(colors::kBlack);
  dc.TextOut((l.left + l.right - dc.TextWidth(x)) / 2, labelTop + textHeight + kLabelGap, x);
  const std::string y = Translated(kIntensityTitle);
  const int labels = ticks ? l.left - kLabelGap - WidestIntensityLabel(m, dc) : l.yLabelX;
  const int bottom = l.strip ? l.stripBottom : l.bottom;
  dc.TextOutUp(std::max(0, labels - kLabelGap - textHeight), (l.top + bottom - dc.TextWidth(y)) / 2,
               y);
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
  dc.DottedLine(l.left + 1, middle, l.right - 1, middle, 2, colors::kGrey);
  if (largest == 0.0 || half <= 0) return;
  for (std::size_t j = 0; j < residuals.size(); ++j) {
    const int py = middle - static_cast<int>(std::lround(residuals[j] / largest * half));
    dc.FillSquare(columns[j], py, 2, colors::kBlue);
  }
  char text[32];
  std::snprintf(text, sizeof text, "±%.3g", largest);
  dc.TextOut(l.left - kLabelGap - dc.TextWidth(text), l.stripTop, text);
}
