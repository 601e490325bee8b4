#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fit/PeakReport.h"

// The Williamson–Hall analysis of a peak report: for each peak the sample's
// breadth β (radians, after the instrumental FWHM is removed, as for the
// Scherrer size) times cos θ against 4·sin θ, and the straight line
// β cos θ = K·λ/D + ε·4 sin θ fitted with weights 1/σ² of the propagated
// uncertainties of β cos θ. The intercept gives the crystallite size D, the
// slope the microstrain ε.

// Which breadth of the peaks the analysis takes.
enum class BreadthMeasure { kFwhm, kIntegralBreadth };

struct WilliamsonHallPoint {
  int peak = 0;        // 1..n of the report
  double x = 0.0;      // 4·sin θ
  double y = 0.0;      // β·cos θ, radians
  double error = 0.0;  // standard uncertainty of y, > 0
};

// The straight line y = intercept + slope·x through weighted points. The
// uncertainties are those the points' own give, √(S_xx/Δ) and √(S/Δ), times
// √(reduced χ²) when the points scatter more than their uncertainties say
// (reduced χ² > 1): the statistically honest value.
struct StraightLine {
  double intercept = 0.0;
  double interceptError = 0.0;
  double slope = 0.0;
  double slopeError = 0.0;
  double chisq = 0.0;
  // χ²/(N − 2); NaN for two points, through which the line passes exactly.
  double reducedChisq = 0.0;
  // Whether the uncertainties were scaled by √(reduced χ²).
  bool errorsScaled = false;
};

// The line through points with weights 1/error²; empty for fewer than two
// points or when every point has the same x.
std::optional<StraightLine> FitWeightedLine(const std::vector<WilliamsonHallPoint>& points);

struct WilliamsonHall {
  std::vector<WilliamsonHallPoint> points;  // the usable peaks
  // Unset with fewer than two usable peaks (or all at one angle).
  std::optional<StraightLine> line;
  // D = K·λ/intercept in nm; unset (with a note) for an intercept <= 0.
  Estimate sizeNm;
  Estimate strain;  // ε, the slope
  // Why a peak was left out or the size is unknown, one sentence each.
  std::vector<std::string> notes;
};

// The analysis of the report's peaks with the settings it was made with. A
// peak is used when its height is positive and β cos θ and a positive
// uncertainty of it are known; a note names every peak left out.
WilliamsonHall AnalyseWilliamsonHall(const PeakReport& report, const ReportSettings& settings,
                                     BreadthMeasure measure);
