#include "fit/PeakShapes.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "fit/PeakModel.h"
#include "text/Translate.h"

namespace {

// The model is even in the width: a negative width draws the same peak.
double Magnitude(double w) { return std::fabs(w); }
double SignOf(double w) { return w < 0.0 ? -1.0 : 1.0; }

// Gaussian h·exp(−u²), u = (x − position) / w: half maximum at u = ±√(ln 2).
const double kGaussFwhmPerWidth = 2.0 * std::sqrt(std::numbers::ln2);
const double kGaussAreaPerHeightWidth = std::sqrt(std::numbers::pi);

PeakQuantity GaussFwhm(const double p[]) {
  PeakQuantity q;
  q.value = kGaussFwhmPerWidth * Magnitude(p[kWidthParameter]);
  q.gradient[kWidthParameter] = kGaussFwhmPerWidth * SignOf(p[kWidthParameter]);
  return q;
}

PeakQuantity GaussArea(const double p[]) {
  const double h = p[kHeightParameter];
  const double w = p[kWidthParameter];
  PeakQuantity q;
  q.value = kGaussAreaPerHeightWidth * h * Magnitude(w);
  q.gradient[kHeightParameter] = kGaussAreaPerHeightWidth * Magnitude(w);
  q.gradient[kWidthParameter] = kGaussAreaPerHeightWidth * h * SignOf(w);
  return q;
}

// Lorentzian h/(1 + u²): half maximum at u = ±1.
PeakQuantity LorentzFwhm(const double p[]) {
  PeakQuantity q;
  q.value = 2.0 * Magnitude(p[kWidthParameter]);
  q.gradient[kWidthParameter] = 2.0 * SignOf(p[kWidthParameter]);
  return q;
}

PeakQuantity LorentzArea(const double p[]) {
  const double h = p[kHeightParameter];
  const double w = p[kWidthParameter];
  PeakQuantity q;
  q.value = std::numbers::pi * h * Magnitude(w);
  q.gradient[kHeightParameter] = std::numbers::pi * Magnitude(w);
  q.gradient[kWidthParameter] = std::numbers::pi * h * SignOf(w);
  return q;
}

// Both new shapes take w as the half width at half maximum: FWHM = 2|w|.
PeakQuantity TwiceWidth(const double p[]) { return LorentzFwhm(p); }

// Pseudo-Voigt h·[η·L + (1 − η)·G]: area h·w·[η·π + (1 − η)·√(π/ln 2)].
const double kVoigtGaussArea = std::sqrt(std::numbers::pi / std::numbers::ln2);

PeakQuantity PseudoVoigtArea(const double p[]) {
  const double h = p[kHeightParameter];
  const double w = p[kWidthParameter];
  const double eta = p[kShapeParameter];
  const double perHeightWidth = eta * std::numbers::pi + (1.0 - eta) * kVoigtGaussArea;
  PeakQuantity q;
  q.value = h * Magnitude(w) * perHeightWidth;
  q.gradient[kHeightParameter] = Magnitude(w) * perHeightWidth;
  q.gradient[kWidthParameter] = h * SignOf(w) * perHeightWidth;
  q.gradient[kShapeParameter] = h * Magnitude(w) * (std::numbers::pi - kVoigtGaussArea);
  return q;
}

// ψ(x), x > 0: the recurrence up to x >= 6, then the asymptotic series.
double Digamma(double x) {
  double shift = 0.0;
  for (; x < 6.0; x += 1.0) shift -= 1.0 / x;
  const double r = 1.0 / (x * x);
  const double series =
      r * (1.0 / 12 - r * (1.0 / 120 - r * (1.0 / 252 - r * (1.0 / 240 - r * (1.0 / 132)))));
  return shift + std::log(x) - 0.5 / x - series;
}

// Pearson VII: area h·w·√π·Γ(m − ½)/(Γ(m)·√(2^(1/m) − 1)); infinite for
// m <= 1/2, which the report leaves empty.
PeakQuantity PearsonArea(const double p[]) {
  const double h = p[kHeightParameter];
  const double w = p[kWidthParameter];
  const double m = p[kShapeParameter];
  PeakQuantity q;
  if (!(m > 0.5)) {
    q.value = std::numeric_limits<double>::quiet_NaN();
    return q;
  }
  const double r = std::pow(2.0, 1.0 / m);
  const double c = r - 1.0;
  const double perHeightWidth =
      std::sqrt(std::numbers::pi) * std::exp(std::lgamma(m - 0.5) - std::lgamma(m)) / std::sqrt(c);
  const double dcdm = -r * std::numbers::ln2 / (m * m);
  q.value = h * Magnitude(w) * perHeightWidth;
  q.gradient[kHeightParameter] = Magnitude(w) * perHeightWidth;
  q.gradient[kWidthParameter] = h * SignOf(w) * perHeightWidth;
  q.gradient[kShapeParameter] = q.value * (Digamma(m - 0.5) - Digamma(m) - 0.5 * dcdm / c);
  return q;
}

constexpr double kInf = std::numeric_limits<double>::infinity();

const PeakShape kShapes[] = {
    {kGaussian, "gauss", 3, WidthRemoval::kQuadrature, GaussFwhm, GaussArea, nullptr, 0, 0},
    {kLorentzian, "lorentz", 3, WidthRemoval::kLinear, LorentzFwhm, LorentzArea, nullptr, 0, 0},
    {kPseudoVoigt, "pvoigt", 4, WidthRemoval::kMixed, TwiceWidth, PseudoVoigtArea,
     QT_TRANSLATE_NOOP("tav", "η"), 0.0, 1.0},
    {kPearson7, "pearson7", 4, WidthRemoval::kMixed, TwiceWidth, PearsonArea,
     QT_TRANSLATE_NOOP("tav", "指数 m"), 0.5, kInf},
};

}  // namespace

const PeakShape* FindPeakShape(int function) {
  for (const PeakShape& shape : kShapes) {
    if (shape.function == function) return &shape;
  }
  return nullptr;
}
