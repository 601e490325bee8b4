#include "fit/PeakShapes.h"

#include <cmath>
#include <numbers>

#include "fit/PeakModel.h"

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

const PeakShape kShapes[] = {
    {kGaussian, "gauss", 3, WidthRemoval::kQuadrature, GaussFwhm, GaussArea},
    {kLorentzian, "lorentz", 3, WidthRemoval::kLinear, LorentzFwhm, LorentzArea},
};

}  // namespace

const PeakShape* FindPeakShape(int function) {
  for (const PeakShape& shape : kShapes) {
    if (shape.function == function) return &shape;
  }
  return nullptr;
}
