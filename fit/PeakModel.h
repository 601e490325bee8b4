#pragma once

// The model selector for the whole program: 0 Gaussian, 1 Lorentzian; any
// other value gives a model of 0.
extern int g_function;

// The sum of n peaks of the shape g_function selects on a line A·x + B.
// a[1..npar] (1-based, npar = 3n + 2): height, position and width of each
// peak, then the slope A and the intercept B. Sets value and, for peakmodel,
// deriv[m] = d value / d a[m] for m = 1..npar (all 0 for an unknown shape).
// Both give bit-identical values; neither allocates nor fails.
void peakmodel(double x, const double a[], double& value, double deriv[], int npar);
void peakvalue(double x, const double a[], double& value, int npar);
