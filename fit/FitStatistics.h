#pragma once

class PeakModel;

// How well the peak model at the final parameters matches the fit window,
// with unit weights as the fit uses them.
struct FitStatistics {
  int npt = 0;                // points of the fit window
  int npar = 0;               // model parameters
  double chisq = 0.0;         // Σ (y − f)²
  double reducedChisq = 0.0;  // χ² / (npt − npar); NaN when npt <= npar
  double rwp = 0.0;           // 100 · √(Σ (y − f)² / Σ y²) in %; NaN when every y is 0
  double rp = 0.0;            // 100 · Σ |y − f| / Σ |y| in %; NaN when every y is 0
  // Filled in by the fit that produced the parameters.
  bool converged = false;
  int steps = 0;
};

// The statistics of the peak model with parameters a[1..npar] over the points (x[i], y[i]), i
// = 1..npt. Sums run over the points in order; χ² equals the chi-square the minimiser computes at a
// with unit weights.
FitStatistics ComputeFitStatistics(const double x[], const double y[], int npt, const double a[],
                                   int npar, const PeakModel& model);
