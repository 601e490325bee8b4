#pragma once

#include <array>
#include <span>
#include <string_view>

// The registry of peak shapes: one descriptor per shape, the one place that
// knows its names, its parameters, its line function, its FWHM and area, how
// its instrumental broadening is removed and its result-file header. Every
// part of the program that depends on the shape asks here.
//
// A peak's parameters p[] are, in the order of the model's parameter vector,
// height, position and width, then the shape's own parameters (a mixing
// fraction, an exponent, the right half's width and mixing). All widths and
// positions are in degrees 2θ.

// The shapes' numbers (the state's g_function values, kept as they are).
constexpr int kGaussian = 0;
constexpr int kLorentzian = 1;
constexpr int kPseudoVoigt = 2;
constexpr int kPearson7 = 3;
constexpr int kSplitPseudoVoigt = 4;
// Neither shape: what the fit-conditions dialog gives with no shape chosen.
constexpr int kNoShape = -1;
constexpr int kShapeCount = 5;

constexpr int kHeightParameter = 0;
constexpr int kPositionParameter = 1;
constexpr int kWidthParameter = 2;
constexpr int kShapeParameter = 3;
// The split pseudo-Voigt's right half: its width and its mixing fraction
// (width and kShapeParameter are the left half's).
constexpr int kRightWidthParameter = 4;
constexpr int kRightShapeParameter = 5;
constexpr int kMaxPeakParameters = 6;

// A value of one peak and its derivatives by the peak's parameters (entries
// beyond the shape's parameter count are 0).
struct PeakQuantity {
  double value = 0.0;
  std::array<double, kMaxPeakParameters> gradient{};
};

// One line of a peak of height h at position p: its shape value s (the line
// divided by h) and the derivatives of h·s by the peak's parameters from the
// position on (d[kPositionParameter], d[kWidthParameter], ...; d[0] unused).
struct LineTerms {
  double s = 0.0;
  std::array<double, kMaxPeakParameters> d{};
};

// The line at x of a peak whose parameters are q[] (q[0] and q[1] are not
// read: the height is h and the position p, so that a Kα2 line can be
// evaluated from the same parameters).
using LineFunction = LineTerms (*)(double x, double h, double p, const double q[]);

// How an instrumental FWHM b is taken off an observed FWHM B.
enum class WidthRemoval {
  kQuadrature,  // β² = B² − b² (Gaussian broadening)
  kLinear,      // β = B − b (Lorentzian broadening)
  kMixed,       // β = B − b²/B (mixed shapes: between the two)
};

struct PeakShape {
  int function;             // the shape's number
  const char* name;         // tav-cli's and the report's name: "gauss", ...
  const char* dialogLabel;  // the fit-condition dialog's choice (marked for translation)
  int parametersPerPeak;    // 3 to kMaxPeakParameters
  // The parameters' names in commands and reports: "height", "position", ...
  std::array<const char*, kMaxPeakParameters> parameterNames;
  // The values the shape's own parameters (from kShapeParameter on) start
  // from; a right width starts as the left one.
  std::array<double, kMaxPeakParameters> startValues;
  // The result file's header line of the peak rows, one name a parameter.
  const char* resultHeader;
  // What a value that is not finite is called in the result file's refusal,
  // for the shape's own parameters (marked for translation).
  std::array<const char*, kMaxPeakParameters> valueNames;
  WidthRemoval removal;
  LineFunction line;
  PeakQuantity (*fwhm)(const double p[]);
  PeakQuantity (*area)(const double p[]);
  // The range the shape parameters are meaningful in (with its name in the
  // notes); unused for shapes without one.
  const char* parameterName;
  double parameterMin;
  double parameterMax;
  // Whether a peak has two halves of their own widths.
  bool split;
  // Where the line function is at half its maximum, in widths from the
  // position: a width parameter is a half width at half maximum divided by it.
  double halfMaximumU;

  bool HasShapeParameter() const { return parametersPerPeak > kShapeParameter; }
};

// Every shape, in the order of their numbers.
std::span<const PeakShape> PeakShapes();

// The description of the shape a number selects, or nullptr when it selects
// none.
const PeakShape* FindPeakShape(int function);
// The shape of a name ("gauss", ...), or nullptr.
const PeakShape* FindPeakShapeNamed(std::string_view name);

// Whether a number selects a shape.
inline bool IsPeakShape(int function) { return FindPeakShape(function) != nullptr; }

// Whether a peak of the shape has parameters beyond height, position and
// width.
inline bool HasShapeParameter(int function) {
  const PeakShape* shape = FindPeakShape(function);
  return shape != nullptr && shape->HasShapeParameter();
}

// Parameters per peak in the model's parameter vector (3 for no shape).
inline int PeakParameterCount(int function) {
  const PeakShape* shape = FindPeakShape(function);
  return shape != nullptr ? shape->parametersPerPeak : 3;
}

// The shape parameter a placed peak starts from (η = 0.5, m = 1.5; 0 for a
// shape without one).
inline double StartingShapeParameter(int function) {
  const PeakShape* shape = FindPeakShape(function);
  return shape != nullptr && shape->HasShapeParameter() ? shape->startValues[kShapeParameter] : 0.0;
}
