#include "view/PeakParameters.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "fit/HalfWidth.h"
#include "fit/PeakModel.h"
#include "view/TavView.h"

namespace {

constexpr double kDefaultDoubletRatio = 0.5;

int PerPeak() { return PeakParameterCount(g_function); }

double ShapeParameterOf(const PeakTable& t, int k) {
  return t.m_shapeParamShape[k] == g_function ? t.m_shapeParam[k]
                                              : StartingShapeParameter(g_function);
}

// A tenth of the displayed X span times the peak's width factor.
double SpanGuess(const CTavView& v, int k) {
  const DisplayRange& r = v.Range();
  return (r.m_xMax - r.m_xMin) * v.Peaks().m_widthFactor[k] / 10;
}

// The half width at half maximum as the width parameter of the shape: the
// Gaussian exp(−u²) is at half maximum at u = √(ln 2), the others at u = 1.
double WidthParameterOfHalfWidth(double hwhm) {
  return g_function == kGaussian ? hwhm / std::sqrt(std::numbers::ln2) : hwhm;
}

double WidthFromData(const CTavView& v, int k) {
  const double guess = SpanGuess(v, k);
  const CTavDoc& doc = v.GetDocument();
  std::vector<double> x, y;
  for (const int i : v.FitWindow()) {
    x.push_back(doc.m_x[i]);
    y.push_back(doc.m_y[i]);
  }
  const std::optional<double> hwhm = MeasureHalfWidth(x, y, v.Peaks().m_position[k]);
  if (!hwhm) return guess;
  const double step = std::fabs(x.back() - x.front()) / static_cast<double>(x.size() - 1);
  const double w = WidthParameterOfHalfWidth(*hwhm) * v.Peaks().m_widthFactor[k];
  return std::min(std::max(w, 2.0 * step), guess);
}

}  // namespace

int ParameterCount(const CTavView& v) { return PerPeak() * v.Peaks().m_nPeak + 2; }

void FillFittedParameters(const CTavView& v, double a[]) {
  const PeakTable& t = v.Peaks();
  const int n = t.m_nPeak;
  const int per = PerPeak();
  for (int k = 1; k <= n; ++k) {
    const int first = per * (k - 1) + 1;
    a[first] = t.m_height[k];
    a[first + 1] = t.m_position[k];
    a[first + 2] = t.m_width[k];
    if (per == 4) a[first + 3] = ShapeParameterOf(t, k);
  }
  a[per * n + 1] = t.m_bgA;
  a[per * n + 2] = t.m_bgB;
}

void FillPlacedParameters(const CTavView& v, double y0, double a[]) {
  const PeakTable& t = v.Peaks();
  const int n = t.m_nPeak;
  const int per = PerPeak();
  for (int k = 1; k <= n; ++k) {
    const int first = per * (k - 1) + 1;
    a[first] = t.m_height[k] - y0;
    a[first + 1] = t.m_position[k];
    a[first + 2] = PlacedWidth(v, k);
    if (per == 4) a[first + 3] = StartingShapeParameter(g_function);
  }
  a[per * n + 1] = 0.0;
  a[per * n + 2] = y0;
}

double PlacedWidth(const CTavView& v, int k) {
  if (v.Options().m_widthFromData || v.Peaks().m_widthFromData[k]) return WidthFromData(v, k);
  return SpanGuess(v, k);
}

double OnePeakValue(const double a[], int npar, int k, double x) {
  const int per = PerPeak();
  std::array<double, 7> one{};
  for (int i = 1; i <= per; ++i) one[i] = a[per * (k - 1) + i];
  one[per + 1] = a[npar - 1];
  one[per + 2] = a[npar];
  double value = 0.0;
  peakvalue(x, one.data(), value, per + 2);
  return value;
}

DoubletLines DoubletLinesOf(const CTavView& v) {
  const FitOptions& o = v.Options();
  const Wavelengths& w = v.GetDocument().m_wavelengths;
  DoubletLines lines;
  if (!o.m_doublet || !w.lambda1 || !w.lambda2) return lines;
  lines.on = true;
  lines.wavelengthRatio = *w.lambda2 / *w.lambda1;
  lines.heightRatio = o.m_doubletRatio.value_or(w.alpha2Ratio.value_or(kDefaultDoubletRatio));
  return lines;
}

bool DoubletLacksWavelengths(const CTavView& v) {
  const Wavelengths& w = v.GetDocument().m_wavelengths;
  return v.Options().m_doublet && (!w.lambda1 || !w.lambda2);
}
