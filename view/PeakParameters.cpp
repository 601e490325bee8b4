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

int ShapeOf(const CTavView& v) { return v.Problem().shape; }

int PerPeak(const CTavView& v) { return PeakParameterCount(ShapeOf(v)); }

// The start of a placed peak's own parameters beyond its width; the right
// half's width starts as the left one.
void FillStartingShapeParameters(int shape, double width, double q[]) {
  const PeakShape* s = FindPeakShape(shape);
  if (s == nullptr) return;
  for (int m = kShapeParameter; m < s->parametersPerPeak; ++m) q[m] = s->startValues[m];
  if (s->split) q[kRightWidthParameter] = width;
}

// The fitted table's own parameters of slot k: those a fit of the shape
// wrote, else the shape's starting values.
void FillFittedShapeParameters(const PeakTable& t, int shape, int k, double q[]) {
  FillStartingShapeParameters(shape, t.m_width[k], q);
  if (t.m_shapeParamShape[k] != shape) return;
  if (HasShapeParameter(shape)) q[kShapeParameter] = t.m_shapeParam[k];
  if (PeakParameterCount(shape) > kRightShapeParameter) {
    q[kRightWidthParameter] = t.m_widthRight[k];
    q[kRightShapeParameter] = t.m_shapeParamRight[k];
  }
}

// A tenth of the displayed X span times the peak's width factor.
double SpanGuess(const CTavView& v, int k) {
  const DisplayRange& r = v.Range();
  return (r.m_xMax - r.m_xMin) * v.Peaks().m_widthFactor[k] / 10;
}

// The half width at half maximum as the width parameter of the shape.
double WidthParameterOfHalfWidth(int shape, double hwhm) {
  const PeakShape* described = FindPeakShape(shape);
  return described != nullptr ? hwhm / described->halfMaximumU : hwhm;
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
  const double w = WidthParameterOfHalfWidth(ShapeOf(v), *hwhm) * v.Peaks().m_widthFactor[k];
  return std::min(std::max(w, 2.0 * step), guess);
}

}  // namespace

int ParameterCount(const CTavView& v) {
  return PerPeak(v) * v.Peaks().m_nPeak + BackgroundTermCount(v.BackgroundOrder());
}

BackgroundBasis FitWindowBackground(const CTavView& v) {
  const std::vector<int> window = v.FitWindow();
  const CTavDoc& doc = v.GetDocument();
  if (window.empty()) {
    return BackgroundOver(v.BackgroundOrder(), v.Range().m_xMin, v.Range().m_xMax);
  }
  double lo = doc.m_x[window.front()], hi = lo;
  for (const int i : window) {
    lo = std::min(lo, doc.m_x[i]);
    hi = std::max(hi, doc.m_x[i]);
  }
  return BackgroundOver(v.BackgroundOrder(), lo, hi);
}

BackgroundBasis BackgroundBasisOf(const CTavView& v) {
  const PeakTable& t = v.Peaks();
  if (t.m_bFitted != 1 || !(t.m_bgWindowMax > t.m_bgWindowMin)) return FitWindowBackground(v);
  return BackgroundOver(v.BackgroundOrder(), t.m_bgWindowMin, t.m_bgWindowMax);
}

void FillFittedParameters(const CTavView& v, double a[]) {
  FillFittedParameters(v, a, BackgroundBasisOf(v));
}

void FillFittedParameters(const CTavView& v, double a[], const BackgroundBasis& background) {
  const PeakTable& t = v.Peaks();
  const int n = t.m_nPeak;
  const int per = PerPeak(v);
  for (int k = 1; k <= n; ++k) {
    double* q = a + per * (k - 1) + 1;
    q[kHeightParameter] = t.m_height[k];
    q[kPositionParameter] = t.m_position[k];
    q[kWidthParameter] = t.m_width[k];
    FillFittedShapeParameters(t, ShapeOf(v), k, q);
  }
  // The fitted background in the basis it was fitted in.
  const BackgroundBasis fitted = BackgroundOver(t.m_bgOrder, t.m_bgWindowMin, t.m_bgWindowMax);
  const std::array<double, 2> line = {t.m_bgA, t.m_bgB};
  const std::vector<double> terms =
      ConvertBackground(fitted, fitted.IsLine() ? line.data() : t.m_bgTerms.data(), background);
  for (std::size_t k = 0; k < terms.size(); ++k) a[per * n + 1 + static_cast<int>(k)] = terms[k];
}

void FillPlacedParameters(const CTavView& v, double y0, double a[]) {
  const PeakTable& t = v.Peaks();
  const int n = t.m_nPeak;
  const int per = PerPeak(v);
  for (int k = 1; k <= n; ++k) {
    double* q = a + per * (k - 1) + 1;
    q[kHeightParameter] = t.m_height[k] - y0;
    q[kPositionParameter] = t.m_position[k];
    q[kWidthParameter] = PlacedWidth(v, k);
    FillStartingShapeParameters(ShapeOf(v), q[kWidthParameter], q);
  }
  if (BackgroundBasis{v.BackgroundOrder()}.IsLine()) {
    a[per * n + 1] = 0.0;
    a[per * n + 2] = y0;
    return;
  }
  a[per * n + 1] = y0;
  for (int k = 1; k <= v.BackgroundOrder(); ++k) a[per * n + 1 + k] = 0.0;
}

double PlacedWidth(const CTavView& v, int k) {
  if (v.Options().m_widthFromData || v.Peaks().m_widthFromData[k]) return WidthFromData(v, k);
  return SpanGuess(v, k);
}

double OnePeakValue(const PeakModel& model, const double a[], int npar, int k, double x) {
  const int per = PeakParameterCount(model.Shape());
  const int terms = model.Background().Terms();
  std::array<double, kMaxPeakParameters + kMaxBackgroundTerms + 1> one{};
  for (int i = 1; i <= per; ++i) one[i] = a[per * (k - 1) + i];
  for (int b = 1; b <= terms; ++b) one[per + b] = a[npar - terms + b];
  double value = 0.0;
  model.Value(x, one.data(), value, per + terms);
  return value;
}

PeakModel ModelOf(const CTavView& v) { return ModelOf(v, BackgroundBasisOf(v)); }

PeakModel ModelOf(const CTavView& v, const BackgroundBasis& background) {
  return PeakModel(ShapeOf(v), DoubletLinesOf(v), background);
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
