#pragma once

#include <string>
#include <vector>

#include "fit/PeakReport.h"

// The correlations of a fit's free parameters (held ones and those that
// follow a shared one left out): r_jk = C_jk / √(C_jj·C_kk)
// of the report's covariance, with the parameters' names.

// The names of the model's parameters a[1..npar] of a shape: the registry's
// name of each peak parameter with the peak's number ("height_1",
// "position_1", ...), then the background's terms: "slope" and "intercept"
// of the line, "c0"… of a series of another order.
std::vector<std::string> ParameterNames(int shape, int npar,
                                        int backgroundOrder = kLineBackgroundOrder);

struct Correlations {
  std::vector<std::string> names;
  // Row by row, r(j, k) at (j − 1)·n + k − 1; empty while the covariance is
  // unknown.
  std::vector<double> matrix;
  // One note a pair with |r| above kStrongCorrelation.
  std::vector<std::string> notes;
};

// Above this |r| two parameters are named in a note: the data hardly tell
// them apart.
constexpr double kStrongCorrelation = 0.95;

Correlations CorrelationsOf(const PeakReport& report);
