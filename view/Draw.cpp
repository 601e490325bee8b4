#include <array>
#include <cmath>
#include <optional>

#include "fit/PeakModel.h"
#include "fit/PeakParameters.h"
#include "view/Canvas.h"
#include "view/NumberText.h"
#include "view/TavView.h"

// The picture is drawn in fixed layers: data points, title and range labels,
// frame, curves, peak markers, background estimate. Each curve is a single
// pixel per column; every layer is drawn across all columns before the next,
// which leaves the same pixels as drawing column by column (within a column
// the later layer still wins) and lets a canvas batch each layer.

namespace {

constexpr int kLeft = CTavView::kPlotLeft;
constexpr int kTop = CTavView::kPlotTop;
constexpr int kRight = CTavView::kPlotRight;
constexpr int kBottom = CTavView::kPlotBottom;

// Parameter vector a[1..npar] of the peak model, npar = 3n + 2.
using Parameters = std::array<double, 3 * CTavView::kMaxPeaks + 3>;
// The abscissae of the curve samples, computed once for all curves.
using Samples = std::array<double, CTavView::kSamples>;

// A range of zero width or height would divide by zero in the conversions;
// whatever needs that conversion is left out.
bool HasWidth(const CTavView& v) { return v.m_xMax - v.m_xMin != 0.0; }
bool HasHeight(const CTavView& v) { return v.m_yMax - v.m_yMin != 0.0; }

bool InYRange(const CTavView& v, double y) { return v.m_yMin <= y && y <= v.m_yMax; }

bool InDisplayWindow(const CTavView& v, double x, double y) {
  return v.m_xMin <= x && x <= v.m_xMax && InYRange(v, y);
}

// The Y of the first point, in index order, inside the display window.
std::optional<double> ReferenceLevel(const CTavView& v) {
  const CTavDoc& doc = v.GetDocument();
  for (int i = 1; i <= doc.m_nData; ++i) {
    if (InDisplayWindow(v, doc.m_x[i], doc.m_y[i])) return doc.m_y[i];
  }
  return std::nullopt;
}

void DrawDataPoints(const CTavView& v, Canvas& dc) {
  if (!HasWidth(v) || !HasHeight(v)) return;
  const CTavDoc& doc = v.GetDocument();
  for (int i = 1; i <= doc.m_nData; ++i) {
    if (!InDisplayWindow(v, doc.m_x[i], doc.m_y[i])) continue;
    const int px = v.XToPixel(doc.m_x[i]);
    const int py = v.YToPixel(doc.m_y[i]);
    dc.SetPixel(px, py, colors::kBlue);
    dc.SetPixel(px + 1, py, colors::kBlue);
    dc.SetPixel(px, py + 1, colors::kBlue);
    dc.SetPixel(px + 1, py + 1, colors::kBlue);
  }
}

// The X labels keep the canvas's current text colour; the Y labels are red.
void DrawTitleAndLabels(const CTavView& v, Canvas& dc) {
  dc.TextOut(250, 30, "Curve Fitting");
  dc.TextOut(100, 360, NumberText(v.m_xMin));
  dc.TextOut(640, 360, NumberText(v.m_xMax));
  dc.SetTextColor(colors::kRed);
  dc.TextOut(35, 50, NumberText(v.m_yMax));
  dc.TextOut(35, 330, NumberText(v.m_yMin));
}

void DrawFrame(Canvas& dc) { dc.FrameRect(kLeft, kTop, kRight, kBottom, colors::kGrey); }

// One curve pixel: only samples inside the Y range are drawn.
void DrawSample(const CTavView& v, Canvas& dc, int s, double value, Color color) {
  if (InYRange(v, value)) dc.SetPixel(kLeft + s, v.YToPixel(value), color);
}

void DrawBackgroundLine(const CTavView& v, Canvas& dc, const Samples& xs, double slope,
                        double intercept) {
  for (int s = 0; s < CTavView::kSamples; ++s) {
    const double x = xs[s];
    DrawSample(v, dc, s, x * slope + intercept, colors::kPurple);
  }
}

// Peak k alone, riding on the background line; the selected peak is green.
void DrawComponent(const CTavView& v, Canvas& dc, const Samples& xs, const Parameters& a, int k) {
  const int n = v.m_nPeak;
  const double slope = a[3 * n + 1];
  const double intercept = a[3 * n + 2];
  const Color color = k == v.m_curPeak ? colors::kGreen : colors::kYellow;
  for (int s = 0; s < CTavView::kSamples; ++s) {
    const double x = xs[s];
    const double u = (x - a[3 * k - 1]) / a[3 * k];
    double value;
    if (g_function == 0) {
      value = std::exp(-u * u) * a[3 * k - 2] + x * slope + intercept;
    } else {
      value = a[3 * k - 2] / (u * u + 1) + x * slope + intercept;
    }
    DrawSample(v, dc, s, value, color);
  }
}

void DrawTotal(const CTavView& v, Canvas& dc, const Samples& xs, const Parameters& a) {
  const int npar = 3 * v.m_nPeak + 2;
  for (int s = 0; s < CTavView::kSamples; ++s) {
    double total = 0.0;
    peakvalue(xs[s], a.data(), total, npar);
    DrawSample(v, dc, s, total, colors::kRed);
  }
}

// Without a reference level the placed peaks have nothing to stand on, so no
// curve is drawn until a fit gives them a background of their own. Placed
// peaks take their widths from the X span, so a span of zero draws none.
void DrawCurves(const CTavView& v, Canvas& dc) {
  if (!HasHeight(v)) return;
  Parameters a{};
  if (v.m_bFitted == 1) {
    FillFittedParameters(v, a.data());
  } else {
    const std::optional<double> y0 = ReferenceLevel(v);
    if (!y0 || !HasWidth(v)) return;
    FillPlacedParameters(v, *y0, a.data());
  }
  Samples xs;
  for (int s = 0; s < CTavView::kSamples; ++s) xs[s] = v.SampleX(s);
  const int n = v.m_nPeak;
  DrawBackgroundLine(v, dc, xs, a[3 * n + 1], a[3 * n + 2]);
  if (g_function == 0 || g_function == 1) {
    for (int k = 1; k <= n; ++k) DrawComponent(v, dc, xs, a, k);
  }
  DrawTotal(v, dc, xs, a);
}

// Markers are not clipped: a peak outside the range gets its marker outside
// the frame.
void DrawPeakMarkers(const CTavView& v, Canvas& dc) {
  if (!HasWidth(v)) return;
  for (int k = 1; k <= v.m_nPeak; ++k) {
    const int px = v.XToPixel(v.m_position[k]);
    dc.MoveTo(px, kTop);
    dc.LineTo(px, kBottom);
  }
}

}  // namespace

void CTavView::OnDraw(Canvas& dc) const {
  const bool hasData = m_doc.m_nData > 0;
  DrawDataPoints(*this, dc);
  if (hasData) {
    DrawTitleAndLabels(*this, dc);
    DrawFrame(dc);
  }
  if (m_nPeak > 0) {
    DrawCurves(*this, dc);
    DrawPeakMarkers(*this, dc);
  }
  if (m_bBackShown == 1) DrawBackgroundEstimate(dc);
}
