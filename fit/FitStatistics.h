#pragma once

#include <limits>

#include "fit/FitWeights.h"

class PeakModel;

// How well the peak model at the final parameters matches the fit window,
// weighted as the fit weighs the points.
struct FitStatistics {
  int npt = 0;                // points of the fit window
  int npar = 0;               // model parameters
  double chisq = 0.0;         // Σ w·(y − f)²
  double reducedChisq = 0.0;  // χ² / (npt − npar); NaN when npt <= npar
  double rwp = 0.0;  // 100 · √(Σ w·(y − f)² / Σ w·y²) in %; NaN when every y is 0
  double rp = 0.0;   // 100 · Σ |y − f| / Σ |y| in % (unweighted); NaN when every y is 0
  FitWeights weights = FitWeights::kUnit;
  // Under counting or σ weights: Rexp = 100 · √((npt − npar) / Σ w·y²) in %
  // and the goodness of fit Rwp / Rexp = √(reduced χ²); NaN under unit
  // weights.
  double rexp = std::numeric_limits<double>::quiet_NaN();
  double gof = std::numeric_limits<double>::quiet_NaN();
  // Filled in by the fit that produced the parameters.
  bool converged = false;
  int steps = 0;
};

// The statistics of the peak model with parameters a[1..npar] over the points (x[i], y[i]), i
// = 1..npt, weighted as given. Sums run over the points in order; χ² equals the chi-square the
// minimiser computes at a with the same weights.
FitStatistics ComputeFitStatistics(const double x[], const double y[], int npt, const double a[],
                                   int npar, const PeakModel& model,
                                   const Weighting& weighting = {});
