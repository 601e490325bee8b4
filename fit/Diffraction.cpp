#include "fit/Diffraction.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr double kNmPerAngstrom = 0.1;

// θ in radians for a position in degrees 2θ, and dθ/d(2θ).
double ThetaOf(double position) { return 0.5 * position * kRadiansPerDegree; }
constexpr double kThetaPerPosition = 0.5 * kRadiansPerDegree;

}  // namespace

BraggSpacing BraggDSpacing(double wavelength, double position) {
  const double theta = ThetaOf(position);
  BraggSpacing s;
  s.d = wavelength / (2.0 * std::sin(theta));
  s.byPosition = -s.d / std::tan(theta) * kThetaPerPosition;
  return s;
}

SampleFwhm RemoveInstrumentalFwhm(double observed, double instrumental, WidthRemoval removal) {
  SampleFwhm s;
  if (removal == WidthRemoval::kQuadrature) {
    s.fwhm = std::sqrt((observed - instrumental) * (observed + instrumental));
    s.byObserved = observed / s.fwhm;
  } else if (removal == WidthRemoval::kMixed) {
    s.fwhm = observed - instrumental * instrumental / observed;
    s.byObserved = 1.0 + instrumental * instrumental / (observed * observed);
  } else {
    s.fwhm = observed - instrumental;
    s.byObserved = 1.0;
  }
  return s;
}

CrystalliteSize ScherrerSize(const ScherrerInputs& inputs, double position, double observedFwhm) {
  const SampleFwhm beta =
      RemoveInstrumentalFwhm(observedFwhm, inputs.instrumentalFwhm, inputs.removal);
  const double theta = ThetaOf(position);
  const double angstrom =
      inputs.k * inputs.wavelength / (beta.fwhm * kRadiansPerDegree * std::cos(theta));
  CrystalliteSize size;
  size.nm = angstrom * kNmPerAngstrom;
  size.byPosition = size.nm * std::tan(theta) * kThetaPerPosition;
  size.byFwhm = -size.nm / beta.fwhm * beta.byObserved;
  return size;
}

BroadeningTerm SampleBreadthCosTheta(double position, double observedBreadth,
                                     double instrumentalFwhm, WidthRemoval removal) {
  const SampleFwhm beta = RemoveInstrumentalFwhm(observedBreadth, instrumentalFwhm, removal);
  const double theta = ThetaOf(position);
  BroadeningTerm term;
  term.value = beta.fwhm * kRadiansPerDegree * std::cos(theta);
  term.byPosition = -beta.fwhm * kRadiansPerDegree * std::sin(theta) * kThetaPerPosition;
  term.byBreadth = beta.byObserved * kRadiansPerDegree * std::cos(theta);
  return term;
}
