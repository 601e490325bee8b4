#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

// The instrument's resolution function after Caglioti: the FWHM of a
// standard's peaks (no size or strain broadening of its own) as
//   FWHM(2θ)² = U·tan²θ + V·tanθ + W,   θ half of 2θ, FWHM in degrees 2θ,
// fitted to a calibration set with weights 1/σ², σ of FWHM² = 2·FWHM·σ_FWHM.
// For the mixed shapes, the Lorentzian share (η, or Pearson VII's m) is
// fitted as a straight line in 2θ, η(2θ) = η₀ + η₁·2θ, with weights 1/σ_η².

// One fitted peak of a standard.
struct CalibrationPeak {
  double position = 0.0;  // degrees 2θ (the Kα1 line of a doublet)
  double positionError = 0.0;
  double fwhm = 0.0;  // degrees 2θ
  double fwhmError = 0.0;
  int shape = -1;  // the registry's shape number
  // η or m where the shape has one (η_left of a split peak).
  std::optional<double> shapeParameter;
  std::optional<double> shapeParameterError;
  friend bool operator==(const CalibrationPeak&, const CalibrationPeak&) = default;
};

// The Lorentzian share as a straight line in 2θ.
struct MixingLine {
  int shape = -1;  // the shape whose parameter it is (pseudo-Voigt, Pearson VII, ...)
  double intercept = 0.0;
  double slope = 0.0;  // per degree 2θ
  std::array<std::array<double, 2>, 2> covariance{};
  double At(double twoTheta) const { return intercept + slope * twoTheta; }
  friend bool operator==(const MixingLine&, const MixingLine&) = default;
};

struct ResolutionFunction {
  double u = 0.0;
  double v = 0.0;
  double w = 0.0;
  // Of (U, V, W), degrees⁴.
  std::array<std::array<double, 3>, 3> covariance{};
  // The calibrated range, degrees 2θ.
  double minTwoTheta = 0.0;
  double maxTwoTheta = 0.0;
  std::optional<MixingLine> mixing;
  int peaks = 0;              // how many peaks it was fitted to
  double reducedChisq = 0.0;  // of the FWHM² fit; NaN for three peaks

  // FWHM² and FWHM (degrees 2θ) at 2θ; the FWHM is NaN where FWHM² ≤ 0.
  double FwhmSquaredAt(double twoTheta) const;
  double FwhmAt(double twoTheta) const;
  // The standard uncertainty of the FWHM at 2θ from the covariance of U, V, W.
  double FwhmErrorAt(double twoTheta) const;
  friend bool operator==(const ResolutionFunction&, const ResolutionFunction&) = default;
};

// The fit, or why there is none.
struct ResolutionFit {
  std::optional<ResolutionFunction> function;
  std::string refusal;  // translated, when there is no function
};

// Caglioti's terms of tan θ: (tan²θ, tan θ, 1).
std::array<double, 3> CagliotiTerms(double twoTheta);

// Fits U, V, W to the peaks. Refused: fewer than three peaks with positive
// FWHM and σ, a singular fit, or a function whose FWHM² is not positive
// everywhere over the peaks' range. The mixing line is fitted when at least
// two of the peaks are of one mixed shape with known η (or m) and σ; the
// covariances are scaled by the reduced χ² when it exceeds 1.
ResolutionFit FitResolution(const std::vector<CalibrationPeak>& peaks);

// Whether U·t² + V·t + W > 0 for every 2θ in [min, max].
bool FwhmSquaredPositiveOver(const ResolutionFunction& f, double minTwoTheta, double maxTwoTheta);
