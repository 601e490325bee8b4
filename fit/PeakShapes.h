#pragma once

#include <array>

// What the peak report knows of each peak shape: how many parameters a peak
// has, how its instrumental broadening is removed, and its FWHM and area as
// functions of the peak's own parameters, with their gradients.
//
// A peak's parameters p[] are, in the order of the model's parameter vector,
// height, position and width, then for shapes that have one a shape
// parameter (a mixing fraction or an exponent). All widths and positions are
// in degrees 2θ.

constexpr int kHeightParameter = 0;
constexpr int kPositionParameter = 1;
constexpr int kWidthParameter = 2;
constexpr int kShapeParameter = 3;
constexpr int kMaxPeakParameters = 4;

// A value of one peak and its derivatives by the peak's parameters (entries
// beyond the shape's parameter count are 0).
struct PeakQuantity {
  double value = 0.0;
  std::array<double, kMaxPeakParameters> gradient{};
};

// How an instrumental FWHM b is taken off an observed FWHM B.
enum class WidthRemoval {
  kQuadrature,  // β² = B² − b² (Gaussian broadening)
  kLinear,      // β = B − b (Lorentzian broadening)
  kMixed,       // β = B − b²/B (mixed shapes: between the two)
};

struct PeakShape {
  int function;           // the g_function value that selects the shape
  const char* name;       // the shape's name in the peak table: "gauss", ...
  int parametersPerPeak;  // 3, or 4 with a shape parameter
  WidthRemoval removal;
  PeakQuantity (*fwhm)(const double p[]);
  PeakQuantity (*area)(const double p[]);
  // The range the shape parameter is meaningful in (with its name in the
  // notes); unused for shapes without one.
  const char* parameterName;
  double parameterMin;
  double parameterMax;

  bool HasShapeParameter() const { return parametersPerPeak > kShapeParameter; }
};

// The description of the shape a g_function value selects, or nullptr when
// it selects none.
const PeakShape* FindPeakShape(int function);
