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
                                   int npar, const PeakModel& model, const Weighting& weighting) {
  const bool weighted = weighting.sig != nullptr;
  double squares = 0.0;
  double absolutes = 0.0;
  double ySquares = 0.0;
  double yAbsolutes = 0.0;
  for (int i = 1; i <= npt; ++i) {
    double f = 0.0;
    model.Value(x[i], a, f, npar);
    const double dy = y[i] - f;
    if (weighted) {
      const double w = weighting.Weight(i);
      squares = (dy * dy) * w + squares;
      ySquares = (y[i] * y[i]) * w + ySquares;
    } else {
      squares = dy * dy + squares;
      ySquares += y[i] * y[i];
    }
    absolutes += std::fabs(dy);
    yAbsolutes += std::fabs(y[i]);
  }
  FitStatistics s;
  s.npt = npt;
  s.npar = npar;
  s.chisq = squares;
  s.reducedChisq = npt > npar ? squares / (npt - npar) : kNaN;
  s.rwp = 100.0 * std::sqrt(RatioOrNaN(squares, ySquares));
  s.rp = 100.0 * RatioOrNaN(absolutes, yAbsolutes);
  s.weights = weighting.weights;
  s.rexp = kNaN;
  s.gof = kNaN;
  if (weighting.Absolute()) {
    s.rexp = npt > npar ? 100.0 * std::sqrt(RatioOrNaN(npt - npar, ySquares)) : kNaN;
    s.gof = std::sqrt(s.reducedChisq);
  }
  return s;
}
