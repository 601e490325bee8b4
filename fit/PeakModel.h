#pragma once

// The peak shapes g_function selects.
constexpr int kGaussian = 0;
constexpr int kLorentzian = 1;
// Neither shape: what the fit-conditions dialog gives with no shape chosen.
constexpr int kNoShape = -1;

// The model selector for the whole program: kGaussian or kLorentzian; any
// other value gives a model of 0.
extern int g_function;

// Whether a g_function value selects a shape (a model other than 0).
inline bool IsPeakShape(int function) { return function == kGaussian || function == kLorentzian; }

// The sum of n peaks of the shape g_function selects on a line A·x + B.
// a[1..npar] (1-based, npar = 3n + 2): height, position and width of each
// peak, then the slope A and the intercept B. Sets value and, for peakmodel,
// deriv[m] = d value / d a[m] for m = 1..npar (all 0 for an unknown shape).
// Both give bit-identical values; neither allocates nor fails.
void peakmodel(double x, const double a[], double& value, double deriv[], int npar);
void peakvalue(double x, const double a[], double& value, int npar);
