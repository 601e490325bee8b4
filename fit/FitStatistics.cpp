#include "fit/FitStatistics.h"

#include <cmath>
#include <limits>

#include "fit/PeakModel.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// a / b, or NaN when b is 0 (no points, or every count 0).
double RatioOrNaN(double a, double b) { return b != 0.0 ? a / b : kNaN; }

}  // namespace

FitStatistics ComputeFitStatistics(const double x[], const double y[], int npt, const double a[],
                                   int npar, const PeakModel& model) {
  double squares = 0.0;
  double absolutes = 0.0;
  double ySquares = 0.0;
  double yAbsolutes = 0.0;
  for (int i = 1; i <= npt; ++i) {
    double f = 0.0;
    model.Value(x[i], a, f, npar);
    const double dy = y[i] - f;
    squares = dy * dy + squares;
    absolutes += std::fabs(dy);
    ySquares += y[i] * y[i];
    yAbsolutes += std::fabs(y[i]);
  }
  FitStatistics s;
  s.npt = npt;
  s.npar = npar;
  s.chisq = squares;
  s.reducedChisq = npt > npar ? squares / (npt - npar) : kNaN;
  s.rwp = 100.0 * std::sqrt(RatioOrNaN(squares, ySquares));
  s.rp = 100.0 * RatioOrNaN(absolutes, yAbsolutes);
  return s;
}
