#include "fit/PeakShapes.h"

#include <cmath>
#include <iterator>
#include <limits>
#include <numbers>

#include "fit/ShapeLines.h"
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

// The split pseudo-Voigt: FWHM w_left + w_right; area the sum of the two
// halves' areas, each half of a pseudo-Voigt of its own width and η.
PeakQuantity SplitFwhm(const double p[]) {
  const double left = p[kWidthParameter];
  const double right = p[kRightWidthParameter];
  PeakQuantity q;
  q.value = Magnitude(left) + Magnitude(right);
  q.gradient[kWidthParameter] = SignOf(left);
  q.gradient[kRightWidthParameter] = SignOf(right);
  return q;
}

PeakQuantity SplitPseudoVoigtArea(const double p[]) {
  const double h = p[kHeightParameter];
  const double left = p[kWidthParameter];
  const double right = p[kRightWidthParameter];
  const double etaLeft = p[kShapeParameter];
  const double etaRight = p[kRightShapeParameter];
  const double perLeft = (etaLeft * std::numbers::pi + (1.0 - etaLeft) * kVoigtGaussArea) / 2.0;
  const double perRight = (etaRight * std::numbers::pi + (1.0 - etaRight) * kVoigtGaussArea) / 2.0;
  const double perEta = (std::numbers::pi - kVoigtGaussArea) / 2.0;
  PeakQuantity q;
  q.value = h * (Magnitude(left) * perLeft + Magnitude(right) * perRight);
  q.gradient[kHeightParameter] = Magnitude(left) * perLeft + Magnitude(right) * perRight;
  q.gradient[kWidthParameter] = h * SignOf(left) * perLeft;
  q.gradient[kRightWidthParameter] = h * SignOf(right) * perRight;
  q.gradient[kShapeParameter] = h * Magnitude(left) * perEta;
  q.gradient[kRightShapeParameter] = h * Magnitude(right) * perEta;
  return q;
}

constexpr double kInf = std::numeric_limits<double>::infinity();
// √(ln 2): exp(−u²) is at half its maximum there.
constexpr double kGaussHalfMaximumU = 0.8325546111576977;

const PeakShape kShapes[] = {
    {kGaussian,
     "gauss",
     QT_TRANSLATE_NOOP("tav", "ガウス関数"),
     3,
     {"height", "position", "width"},
     {},
     "Height, Position, Width",
     {},
     WidthRemoval::kQuadrature,
     GaussLine,
     GaussFwhm,
     GaussArea,
     nullptr,
     0,
     0,
     false,
     kGaussHalfMaximumU},
    {kLorentzian,
     "lorentz",
     QT_TRANSLATE_NOOP("tav", "ローレンツ関数"),
     3,
     {"height", "position", "width"},
     {},
     "Height, Position, Width",
     {},
     WidthRemoval::kLinear,
     LorentzLine,
     LorentzFwhm,
     LorentzArea,
     nullptr,
     0,
     0,
     false,
     1.0},
    {kPseudoVoigt,
     "pvoigt",
     QT_TRANSLATE_NOOP("tav", "擬フォークト関数"),
     4,
     {"height", "position", "width", "eta"},
     {0, 0, 0, 0.5},
     "Height, Position, Width, Eta",
     {nullptr, nullptr, nullptr, QT_TRANSLATE_NOOP("tav", "η")},
     WidthRemoval::kMixed,
     PseudoVoigtLine,
     TwiceWidth,
     PseudoVoigtArea,
     QT_TRANSLATE_NOOP("tav", "η"),
     0.0,
     1.0,
     false,
     1.0},
    {kPearson7,
     "pearson7",
     QT_TRANSLATE_NOOP("tav", "ピアソンVII関数"),
     4,
     {"height", "position", "width", "m"},
     {0, 0, 0, 1.5},
     "Height, Position, Width, Exponent",
     {nullptr, nullptr, nullptr, QT_TRANSLATE_NOOP("tav", "指数")},
     WidthRemoval::kMixed,
     PearsonLine,
     TwiceWidth,
     PearsonArea,
     QT_TRANSLATE_NOOP("tav", "指数 m"),
     0.5,
     kInf,
     false,
     1.0},
    {kSplitPseudoVoigt,
     "spvoigt",
     QT_TRANSLATE_NOOP("tav", "分割擬フォークト関数"),
     6,
     {"height", "position", "width_left", "eta_left", "width_right", "eta_right"},
     {0, 0, 0, 0.5, 0, 0.5},
     "Height, Position, WidthLeft, EtaLeft, WidthRight, EtaRight",
     {nullptr, nullptr, nullptr, QT_TRANSLATE_NOOP("tav", "左の η"),
      QT_TRANSLATE_NOOP("tav", "右の幅"), QT_TRANSLATE_NOOP("tav", "右の η")},
     WidthRemoval::kMixed,
     SplitPseudoVoigtLine,
     SplitFwhm,
     SplitPseudoVoigtArea,
     QT_TRANSLATE_NOOP("tav", "η"),
     0.0,
     1.0,
     true,
     1.0},
};

static_assert(std::size(kShapes) == kShapeCount);

}  // namespace

std::span<const PeakShape> PeakShapes() { return kShapes; }

const PeakShape* FindPeakShape(int function) {
  if (function < 0 || function >= kShapeCount) return nullptr;
  return &kShapes[function];
}

const PeakShape* FindPeakShapeNamed(std::string_view name) {
  for (const PeakShape& shape : kShapes) {
    if (shape.name == name) return &shape;
  }
  return nullptr;
}
