#pragma once

#include "fit/PeakShapes.h"

// Bragg's law and the Scherrer equation for a peak at 2θ = position (degrees)
// measured with X-rays of wavelength λ (ångström). Each result carries its
// derivatives by the fitted quantities it comes from, for propagating their
// uncertainties.

// d = λ / (2 sin θ), θ = position / 2.
struct BraggSpacing {
  double d = 0.0;           // Å
  double byPosition = 0.0;  // Å per degree 2θ
};

// Requires 0 < position < 180.
BraggSpacing BraggDSpacing(double wavelength, double position);

// The sample's FWHM β after the instrumental FWHM b is removed from the
// observed FWHM B, with dβ/dB.
struct SampleFwhm {
  double fwhm = 0.0;
  double byObserved = 0.0;
};

// Requires 0 <= instrumental < observed.
SampleFwhm RemoveInstrumentalFwhm(double observed, double instrumental, WidthRemoval removal);

// D = K·λ / (β cos θ), β the sample FWHM in radians, in nanometres.
struct CrystalliteSize {
  double nm = 0.0;
  double byPosition = 0.0;  // nm per degree 2θ of the position
  double byFwhm = 0.0;      // nm per degree 2θ of the observed FWHM
};

struct ScherrerInputs {
  double k = 0.9;                 // shape factor
  double wavelength = 0.0;        // Å
  double instrumentalFwhm = 0.0;  // degrees 2θ
  WidthRemoval removal = WidthRemoval::kLinear;
};

// Requires 0 < position < 180 and 0 <= instrumentalFwhm < observedFwhm.
CrystalliteSize ScherrerSize(const ScherrerInputs& inputs, double position, double observedFwhm);

// β·cos θ in radians, β the sample breadth (FWHM or integral breadth) left
// after the instrumental FWHM is removed from the observed breadth, with its
// derivatives by the position and the observed breadth (both degrees 2θ).
// The broadening term of the Williamson–Hall relation
// β cos θ = K·λ/D + 4·ε·sin θ.
struct BroadeningTerm {
  double value = 0.0;
  double byPosition = 0.0;
  double byBreadth = 0.0;
};

// Requires 0 < position < 180 and 0 <= instrumentalFwhm < observedBreadth.
BroadeningTerm SampleBreadthCosTheta(double position, double observedBreadth,
                                     double instrumentalFwhm, WidthRemoval removal);
