#pragma once

// The peak shapes g_function selects.
constexpr int kGaussian = 0;
constexpr int kLorentzian = 1;
constexpr int kPseudoVoigt = 2;
constexpr int kPearson7 = 3;
// Neither shape: what the fit-conditions dialog gives with no shape chosen.
constexpr int kNoShape = -1;

// The model selector: one of the four shapes; any other value gives a model
// of 0. Each thread has its own, so that fits on worker threads (a series)
// never see another thread's shape; a new thread starts with kLorentzian.
extern thread_local constinit int g_function;

// Whether a g_function value selects a shape (a model other than 0).
inline bool IsPeakShape(int function) {
  return function == kGaussian || function == kLorentzian || function == kPseudoVoigt ||
         function == kPearson7;
}

// Whether a peak of the shape has a fourth parameter: the pseudo-Voigt's
// Lorentzian fraction η or the Pearson VII exponent m.
inline bool HasShapeParameter(int function) {
  return function == kPseudoVoigt || function == kPearson7;
}

// Parameters per peak in the model's parameter vector: 3, or 4 with a shape
// parameter.
inline int PeakParameterCount(int function) { return HasShapeParameter(function) ? 4 : 3; }

// The shape parameter a placed peak starts from (η = 0.5, m = 1.5; 0 for a
// shape without one).
inline double StartingShapeParameter(int function) {
  if (function == kPseudoVoigt) return 0.5;
  if (function == kPearson7) return 1.5;
  return 0.0;
}

// The sum of n peaks of the shape g_function selects on a line A·x + B.
// a[1..npar] (1-based, npar = 3n + 2, or 4n + 2 for a shape with a shape
// parameter): height, position and width (and the shape parameter) of each
// peak, then the slope A and the intercept B. With u = (x − position)/width:
//   Gaussian      h·exp(−u²)
//   Lorentzian    h/(1 + u²)
//   pseudo-Voigt  h·[η/(1 + u²) + (1 − η)·exp(−ln 2·u²)]
//   Pearson VII   h/(1 + (2^(1/m) − 1)·u²)^m
// While g_doublet is on, every peak is that line plus its Kα2 companion.
// Sets value and, for peakmodel, deriv[m] = d value / d a[m] for
// m = 1..npar (all 0 for an unknown shape). Both give bit-identical values;
// neither allocates nor fails.
void peakmodel(double x, const double a[], double& value, double deriv[], int npar);
void peakvalue(double x, const double a[], double& value, int npar);
