#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fit/Caglioti.h"
#include "fit/FitStatistics.h"
#include "fit/LatticeRefinement.h"
#include "fit/ParameterCovariance.h"
#include "fit/PeakModel.h"
#include "fit/PeakShapes.h"

// The report of a fit: its statistics, the parameters' covariance and, per
// peak, the fitted and derived quantities with their standard uncertainties
// (first-order propagation with the full covariance), the d-spacing by
// Bragg's law and the crystallite size by the Scherrer equation.

// What the report needs besides the fit.
struct ReportSettings {
  std::optional<double> wavelength;  // λ1 in Å; unset: no d-spacings, no sizes
  double scherrerK = 0.9;
  double instrumentalFwhm = 0.0;  // degrees 2θ, removed before the Scherrer equation
  // When set, the instrumental FWHM of each peak is this function's at the
  // peak's own 2θ instead of instrumentalFwhm, and the notes name the file.
  std::optional<ResolutionFunction> resolution;
  std::string resolutionName;
  // When set, d-spacings are of the positions less its shift (the zero shift
  // and specimen displacement).
  std::optional<PositionCorrection> positionCorrection;
  // What X is, as the profile's file says: "2theta" (degrees), "q" (in
  // "1/angstrom" or "1/nm": d = 2π/Q, no size), or another axis (neither).
  std::string xQuantity = "2theta";
  std::string xUnit = "deg";
};

// A quantity and its standard uncertainty; either is unset where it does not
// apply or is unknown.
struct Estimate {
  std::optional<double> value;
  std::optional<double> error;
};

struct PeakResult {
  int peak = 0;  // 1..n
  const PeakShape* shape = nullptr;
  Estimate height;
  Estimate position;             // degrees 2θ
  Estimate width;                // the model's width parameter
  Estimate fwhm;                 // degrees 2θ
  Estimate area;                 // height × degrees 2θ
  Estimate integralBreadth;      // area / height, degrees 2θ
  Estimate shapeParameter;       // unset for shapes without one (η_left of a split peak)
  Estimate asymmetry;            // w_right / w_left of a split peak, else unset
  Estimate shapeParameterRight;  // η_right of a split peak, else unset
  Estimate dSpacing;             // Å
  Estimate sizeNm;               // crystallite size, nm
  // β·cos θ (radians) of the sample's FWHM, the breadth the size above
  // comes from, and of its integral breadth, each after the instrumental
  // FWHM is removed; unset where the size could not be had, or the integral
  // breadth does not exceed the instrumental FWHM.
  Estimate fwhmCosTheta;
  Estimate integralBreadthCosTheta;
};

struct PeakReport {
  int shape = kNoShape;  // the shape the fit used
  FitStatistics statistics;
  ParameterCovariance covariance;
  std::vector<PeakResult> peaks;
  // Why something is unknown, one sentence each, in the order found, then
  // what the uncertainties stand for.
  std::vector<std::string> notes;
  // Whether every intensity of the window is a whole number ≥ 0 (counts),
  // and how many points the weights left out.
  bool countLikeData = false;
  int pointsLeftOut = 0;
  // a[i] held by the fit (fixed, or ended on a bound); empty when none.
  std::vector<bool> held;
  // The background the fit refined, and for any order but the line's its
  // terms c0…cN with their uncertainties (empty for the line).
  BackgroundBasis background;
  std::vector<Estimate> backgroundTerms;
};

// The report of the peak model (its shape and doublet) with the final parameters a[1..npar] over
// the fit window's points (x[i], y[i]), i = 1..npt, weighted as the fit weighs them (all 1).
// converged and steps of the statistics are left for the caller.
PeakReport MakePeakReport(const double x[], const double y[], int npt, const double a[], int npar,
                          const PeakModel& model, const ReportSettings& settings,
                          const Weighting& weighting = {});
// The same report with the covariance taken from the normal equations the fit
// ended with at a, instead of working them out again.
PeakReport MakePeakReport(const double x[], const double y[], int npt, const double a[], int npar,
                          const PeakModel& model, const ReportSettings& settings,
                          const NormalEquations& normal, const Weighting& weighting = {});

// The per-peak part for parameters a[1..npar] (the peaks', then the
// background's backgroundTerms) with their covariance (an unknown one leaves
// every uncertainty unset). Appends to notes why a quantity is unknown.
std::vector<PeakResult> DescribePeaks(const double a[], int npar, int shape,
                                      const ParameterCovariance& covariance,
                                      const ReportSettings& settings,
                                      std::vector<std::string>& notes,
                                      const std::vector<bool>& held = {}, int backgroundTerms = 2);

// The report of a constrained fit, with the covariance of a[1..npar] the
// caller made from the free parameters' (held parameters' rows and columns
// 0): freeCount parameters were fitted (npar and the reduced χ² of the
// statistics count them), and held[i] marks a[i] held, fixed or on a bound,
// whose σ stays empty with a note.
PeakReport MakeConstrainedPeakReport(const double x[], const double y[], int npt, const double a[],
                                     int npar, const PeakModel& model,
                                     const ReportSettings& settings, ParameterCovariance covariance,
                                     const Weighting& weighting, int freeCount,
                                     std::vector<bool> held);

// The per-peak part and the notes of report again, for new settings (another
// wavelength, Scherrer constant or instrumental width), from the parameters
// a[1..npar] the report was made for.
void RedescribePeaks(PeakReport& report, const double a[], int npar,
                     const ReportSettings& settings);
