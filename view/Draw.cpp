#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "correct/BackgroundFit.h"
#include "correct/Snip.h"
#include "fit/PeakModel.h"
#include "text/NumberText.h"
#include "view/AxisDrawing.h"
#include "view/CalibrationLabels.h"
#include "view/Canvas.h"
#include "view/PeakParameters.h"
#include "view/PlotLegend.h"
#include "view/TavView.h"

// The picture is drawn in fixed layers: data points, title and range labels,
// frame, curves, peak markers, background estimate, then what the modern view
// adds: axis titles and the legend. Each curve is a single
// pixel per column; every layer is drawn across all columns before the next,
// which leaves the same pixels as drawing column by column (within a column
// the later layer still wins) and lets a canvas batch each layer.

namespace {

// Parameter vector a[1..npar] of the peak model, npar = pn + b.
using Parameters = std::array<double, kMaxPeakParameters * kPeakCapacity + kMaxBackgroundTerms + 1>;
// The abscissae of the curve samples, computed once for all curves.
using Samples = std::vector<double>;

// What every layer draws with: the view and its conversions now.
struct Picture {
  const CTavView& v;
  PlotMapping m;
  bool clip;
  PeakModel model;

  const PlotLayout& Layout() const { return m.Layout(); }
  // Whether row py lies inside the plot frame.
  bool InFrameRows(int py) const { return Layout().top <= py && py < Layout().bottom; }
};

// A range of zero width or height would divide by zero in the conversions;
// whatever needs that conversion is left out.
bool HasWidth(const CTavView& v) { return v.Range().m_xMax - v.Range().m_xMin != 0.0; }
bool HasHeight(const CTavView& v) { return v.Range().m_yMax - v.Range().m_yMin != 0.0; }

bool InYRange(const CTavView& v, double y) {
  return v.Range().m_yMin <= y && y <= v.Range().m_yMax;
}

bool InDisplayWindow(const CTavView& v, double x, double y) {
  return v.Range().m_xMin <= x && x <= v.Range().m_xMax && InYRange(v, y);
}

// The Y of the first point, in index order, inside the display window.
std::optional<double> ReferenceLevel(const CTavView& v) {
  const CTavDoc& doc = v.GetDocument();
  for (int i = 1; i <= doc.m_nData; ++i) {
    if (InDisplayWindow(v, doc.m_x[i], doc.m_y[i])) return doc.m_y[i];
  }
  return std::nullopt;
}

void DrawDataPoints(const Picture& p, Canvas& dc) {
  const CTavView& v = p.v;
  if (!HasWidth(v) || !HasHeight(v)) return;
  const CTavDoc& doc = v.GetDocument();
  for (int i = 1; i <= doc.m_nData; ++i) {
    if (!InDisplayWindow(v, doc.m_x[i], doc.m_y[i])) continue;
    const int px = p.m.XToPixel(doc.m_x[i]);
    dc.FillSquare(px, p.m.YToPixel(doc.m_y[i]), 2, colors::kBlue);
  }
}

// The title, and the range at the corners unless ticks label the axes. The X
// labels keep the canvas's current text colour; the Y labels are red.
void DrawTitleAndLabels(const Picture& p, Canvas& dc) {
  const DisplayRange& r = p.v.Range();
  const PlotLayout& l = p.Layout();
  dc.TextOut(l.titleX, l.titleY, "Curve Fitting");
  if (p.v.Plot().ticks) return;
  dc.TextOut(l.xMinLabelX, l.xLabelY, NumberText(r.m_xMin));
  dc.TextOut(l.xMaxLabelX, l.xLabelY, NumberText(r.m_xMax));
  dc.SetTextColor(colors::kRed);
  dc.TextOut(l.yLabelX, l.yMaxLabelY, NumberText(r.m_yMax));
  dc.TextOut(l.yLabelX, l.yMinLabelY, NumberText(r.m_yMin));
}

void DrawFrame(const Picture& p, Canvas& dc) {
  const PlotLayout& l = p.Layout();
  dc.FrameRect(l.left, l.top, l.right, l.bottom, colors::kGrey);
}

// One curve pixel: only samples inside the Y range are drawn.
void DrawSample(const Picture& p, Canvas& dc, int s, double value, Color color) {
  if (InYRange(p.v, value)) dc.SetPixel(p.Layout().left + s, p.m.YToPixel(value), color);
}

Samples CurveSamples(const Picture& p) {
  Samples xs(p.Layout().Samples());
  for (int s = 0; s < p.Layout().Samples(); ++s) xs[s] = p.m.CurveX(s);
  return xs;
}

void DrawBackgroundLine(const Picture& p, Canvas& dc, const Samples& xs, double slope,
                        double intercept) {
  dc.BeginCurve();
  for (int s = 0; s < p.Layout().Samples(); ++s) {
    const double x = xs[s];
    DrawSample(p, dc, s, x * slope + intercept, colors::kPurple);
  }
  dc.EndCurve();
}

// The refined background, the line as it has always been drawn.
void DrawBackground(const Picture& p, Canvas& dc, const Samples& xs, const Parameters& a,
                    int npar) {
  if (p.model.Background().IsLine()) return DrawBackgroundLine(p, dc, xs, a[npar - 1], a[npar]);
  for (int s = 0; s < p.Layout().Samples(); ++s) {
    DrawSample(p, dc, s, p.model.BackgroundAt(xs[s], a.data(), npar), colors::kPurple);
  }
}

// The Gaussian or Lorentzian single line k on the background line at x, as
// the picture has always computed it.
double ClassicComponentValue(int shape, const Parameters& a, int n, int k, double x) {
  const double slope = a[3 * n + 1];
  const double intercept = a[3 * n + 2];
  const double u = (x - a[3 * k - 1]) / a[3 * k];
  if (shape == kGaussian) return std::exp(-u * u) * a[3 * k - 2] + x * slope + intercept;
  return a[3 * k - 2] / (u * u + 1) + x * slope + intercept;
}

// Peak k alone, riding on the background line; the selected peak is green.
// Every shape but the single-line Gaussian and Lorentzian, and the doublet
// (both lines as one component), takes the model itself for the one peak.
void DrawComponent(const Picture& p, Canvas& dc, const Samples& xs, const Parameters& a, int k) {
  const CTavView& v = p.v;
  const Color color = k == v.Peaks().m_curPeak ? colors::kGreen : colors::kYellow;
  const int samples = p.Layout().Samples();
  const int shape = p.model.Shape();
  const bool classic = (shape == kGaussian || shape == kLorentzian) && !p.model.Doublet().on &&
                       p.model.Background().IsLine();
  const int npar = ParameterCount(v);
  dc.BeginCurve();
  for (int s = 0; s < samples; ++s) {
    const double value = classic ? ClassicComponentValue(shape, a, v.Peaks().m_nPeak, k, xs[s])
                                 : OnePeakValue(p.model, a.data(), npar, k, xs[s]);
    DrawSample(p, dc, s, value, color);
  }
  dc.EndCurve();
}

void DrawTotal(const Picture& p, Canvas& dc, const Samples& xs, const Parameters& a) {
  const int npar = ParameterCount(p.v);
  dc.BeginCurve();
  for (int s = 0; s < p.Layout().Samples(); ++s) {
    double total = 0.0;
    p.model.Value(xs[s], a.data(), total, npar);
    DrawSample(p, dc, s, total, colors::kRed);
  }
  dc.EndCurve();
}

// Without a reference level the placed peaks have nothing to stand on, so no
// curve is drawn until a fit gives them a background of their own. Placed
// peaks take their widths from the X span, so a span of zero draws none.
void DrawCurves(const Picture& p, Canvas& dc) {
  const CTavView& v = p.v;
  if (!HasHeight(v)) return;
  Parameters a{};
  if (v.Peaks().m_bFitted == 1) {
    FillFittedParameters(v, a.data());
  } else {
    const std::optional<double> y0 = ReferenceLevel(v);
    if (!y0 || !HasWidth(v)) return;
    FillPlacedParameters(v, *y0, a.data());
  }
  const Samples xs = CurveSamples(p);
  const int n = v.Peaks().m_nPeak;
  const int npar = ParameterCount(v);
  DrawBackground(p, dc, xs, a, npar);
  if (IsPeakShape(p.model.Shape())) {
    for (int k = 1; k <= n; ++k) DrawComponent(p, dc, xs, a, k);
  }
  DrawTotal(p, dc, xs, a);
}

// With a phase set, each marker's hkl beside its top, every other one a line
// lower so that neighbours do not overlap.
void DrawHklLabels(const Picture& p, Canvas& dc) {
  const std::vector<std::string> labels = HklLabelsOfPeaks(p.v);
  const PlotLayout& l = p.Layout();
  for (int k = 1; k <= static_cast<int>(labels.size()); ++k) {
    const std::string& label = labels[static_cast<std::size_t>(k - 1)];
    const int px = p.m.XToPixel(p.v.Peaks().m_position[k]);
    if (label.empty() || (p.clip && (px < l.left || px >= l.right))) continue;
    dc.TextOut(px + 2, l.top + 2 + (k % 2 == 0 ? dc.TextHeight() : 0), label);
  }
}

// Markers are not clipped unless asked: a peak outside the range gets its
// marker outside the frame.
void DrawPeakMarkers(const Picture& p, Canvas& dc) {
  const CTavView& v = p.v;
  if (!HasWidth(v)) return;
  const PlotLayout& l = p.Layout();
  for (int k = 1; k <= v.Peaks().m_nPeak; ++k) {
    const int px = p.m.XToPixel(v.Peaks().m_position[k]);
    if (p.clip && (px < l.left || px >= l.right)) continue;
    dc.MoveTo(px, l.top);
    dc.LineTo(px, l.bottom);
  }
  DrawHklLabels(p, dc);
}

// The SNIP baseline in black, a pixel a column over the span it was
// estimated over, unclipped like the cubic's unless curves are clipped.
void DrawSnipBaseline(const Picture& p, Canvas& dc) {
  const BackgroundLayer& b = p.v.Background();
  if (b.m_snipX.empty() || !HasHeight(p.v)) return;
  const PlotLayout& l = p.Layout();
  dc.BeginCurve();
  for (int s = 0; s < l.Samples(); ++s) {
    const double x = p.m.CurveX(s);
    if (x < b.m_snipX.front() || x > b.m_snipX.back()) continue;
    const int py = p.m.YToPixel(snip::Interpolate(b.m_snipX, b.m_snipY, x));
    if (p.clip && !p.InFrameRows(py)) continue;
    dc.SetPixel(l.left + s, py, colors::kBlack);
  }
  dc.EndCurve();
}

}  // namespace

// The background estimate: the clipped bins in red, the baseline in black.
void CTavView::DrawBackgroundEstimate(Canvas& dc) const {
  if (m_state.background.m_bBackShown != 1) return;
  const CTavView& v = *this;
  const Picture p{v, Mapping(), m_plotOptions.clip, ModelOf(v)};
  if (m_state.background.m_kind == BackgroundKind::kSnip) return DrawSnipBaseline(p, dc);
  const PlotLayout& l = p.Layout();
  const BackgroundLayer& b = v.Background();
  const DisplayRange& r = v.Range();
  // A range of zero width or height has no pixel scale: draw nothing that
  // would need one.
  const bool hasWidth = r.m_xMax != r.m_xMin;
  const bool hasHeight = r.m_yMax != r.m_yMin;
  if (hasWidth && hasHeight) {
    // Bins are not tested against the X range: they keep their places in
    // data units when the range changes after the estimate.
    for (int i = 0; i < b.NBin(); ++i) {
      const int px = p.m.XToPixel(b.m_binX[i]);
      if (p.clip && (px < l.left || px >= l.right)) continue;
      if (r.m_yMin <= b.m_binY[i] && b.m_binY[i] <= r.m_yMax) {
        dc.SetPixel(px, p.m.YToPixel(b.m_binY[i]), colors::kRed);
      }
    }
  }
  // The baseline has no Y-range test: where it leaves the range it is drawn
  // above or below the plot window, unless curves are clipped to the frame.
  if (b.m_bgCoefSet && hasHeight) {
    dc.BeginCurve();
    for (int s = 0; s < l.Samples(); ++s) {
      const double y = bgfit::BaselineAt(b.m_bgCoef, p.m.CurveX(s));
      const int py = p.m.YToPixel(y);
      if (p.clip && !p.InFrameRows(py)) continue;
      dc.SetPixel(l.left + s, py, colors::kBlack);
    }
    dc.EndCurve();
  }
}

void CTavView::OnDraw(Canvas& dc) const {
  const Picture p{*this, Mapping(), m_plotOptions.clip, ModelOf(*this)};
  const bool hasData = m_doc.m_nData > 0;
  DrawDataPoints(p, dc);
  if (hasData) {
    DrawTitleAndLabels(p, dc);
    DrawFrame(p, dc);
    if (m_plotOptions.ticks) DrawAxisTicks(*this, p.m, dc);
  }
  if (m_state.peaks.m_nPeak > 0) {
    DrawCurves(p, dc);
    DrawPeakMarkers(p, dc);
  }
  if (ShowsResiduals()) DrawResiduals(*this, p.m, dc);
  if (m_state.background.m_bBackShown == 1) DrawBackgroundEstimate(dc);
  if (hasData && m_plotOptions.titles) DrawAxisTitles(*this, p.m, dc);
  if (m_plotOptions.legend) DrawLegend(*this, p.m, dc);
}
