#include "fit/PeakFinder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "fit/HalfWidth.h"
#include "fit/KAlphaDoublet.h"

namespace {

constexpr int kMinSmoothingHalfWidth = 3;
constexpr int kMaxSmoothingHalfWidth = 25;
// The local background is sought this many half widths to either side.
constexpr double kBackgroundReach = 6.0;
constexpr int kMinBackgroundReach = 5;

double MeanStep(const std::vector<double>& x) {
  return std::fabs(x.back() - x.front()) / static_cast<double>(x.size() - 1);
}

// The half width at half maximum of the profile's highest point: the width
// the filter, the background reach and the resolution limit follow. Two data
// steps where none can be measured, and never less.
double EstimatedHalfWidth(const std::vector<double>& x, const std::vector<double>& y, double step) {
  const std::size_t top =
      static_cast<std::size_t>(std::max_element(y.begin(), y.end()) - y.begin());
  const std::optional<double> hwhm = MeasureHalfWidth(x, y, x[top]);
  return std::max(hwhm.value_or(0.0), 2.0 * step);
}

// Weight of offset j in the quadratic Savitzky–Golay window of 2m + 1 points.
double SavitzkyGolayWeight(int m, int j) {
  const double mm = m;
  const double norm = (2 * mm - 1) * (2 * mm + 1) * (2 * mm + 3);
  return (3.0 * (3 * mm * mm + 3 * mm - 1) - 15.0 * j * j) / norm;
}

bool IsLocalMaximum(const std::vector<double>& s, std::size_t i) {
  return s[i] > s[i - 1] && s[i] >= s[i + 1];
}

// The lowest point walking from i by step until the profile rises above the
// top, the reach ends or the data end.
double LowestBeside(const std::vector<double>& s, std::size_t i, int step, int reach) {
  double lowest = s[i];
  std::ptrdiff_t j = static_cast<std::ptrdiff_t>(i);
  for (int walked = 0; walked < reach; ++walked) {
    j += step;
    if (j < 0 || j >= static_cast<std::ptrdiff_t>(s.size()) || s[j] > s[i]) break;
    lowest = std::min(lowest, s[j]);
  }
  return lowest;
}

// The position of the parabola's vertex through the three smoothed points
// around maximum i.
double VertexPosition(const std::vector<double>& x, const std::vector<double>& s, std::size_t i) {
  const double curvature = s[i - 1] - 2.0 * s[i] + s[i + 1];
  if (!(curvature < 0.0)) return x[i];
  const double offset = std::clamp(0.5 * (s[i - 1] - s[i + 1]) / curvature, -0.5, 0.5);
  return x[i] + offset * 0.5 * (x[i + 1] - x[i - 1]);
}

std::vector<FoundPeak> ProminentMaxima(const std::vector<double>& x, const std::vector<double>& s,
                                       int halfWidth, int reach, double signalToNoise) {
  std::vector<FoundPeak> maxima;
  // Nearer the ends the filter narrows and its noise grows: no maximum there
  // is taken (a peak cut by the range's end has its top outside anyway).
  const std::size_t margin = static_cast<std::size_t>(halfWidth);
  for (std::size_t i = margin; i + margin < s.size(); ++i) {
    if (!IsLocalMaximum(s, i)) continue;
    const double background =
        std::max(LowestBeside(s, i, -1, reach), LowestBeside(s, i, +1, reach));
    const double prominence = s[i] - background;
    // Counting noise of the difference of the two counts.
    const double noise = std::sqrt(std::max(s[i], 1.0) + std::max(background, 0.0));
    if (prominence > signalToNoise * noise) {
      maxima.push_back(FoundPeak{VertexPosition(x, s, i), s[i], prominence});
    }
  }
  return maxima;
}

// Whether position lies within the limit of a peak there already or of its
// Kα2 line.
bool Resolved(double position, const std::vector<double>& peaks, double limit,
              const std::optional<double>& kalpha2Ratio) {
  for (const double p : peaks) {
    if (std::fabs(position - p) <= limit) return false;
    if (kalpha2Ratio) {
      const double shoulder = Kalpha2Position(p, *kalpha2Ratio).position;
      if (std::fabs(position - shoulder) <= limit) return false;
    }
  }
  return true;
}

}  // namespace

std::vector<double> SmoothSavitzkyGolay(const std::vector<double>& y, int halfWidth) {
  const std::size_t n = y.size();
  std::vector<double> s(y);
  for (std::size_t i = 0; i < n; ++i) {
    const int m = static_cast<int>(
        std::min<std::size_t>({static_cast<std::size_t>(halfWidth), i, n - 1 - i}));
    if (m < 2) continue;  // three points: the parabola through them is the data
    double sum = 0.0;
    for (int j = -m; j <= m; ++j) sum += SavitzkyGolayWeight(m, j) * y[i + j];
    s[i] = sum;
  }
  return s;
}

std::vector<FoundPeak> FindPeaks(const std::vector<double>& x, const std::vector<double>& y,
                                 const PeakSearch& search) {
  if (x.size() < 5 || x.size() != y.size() || x.front() == x.back()) return {};
  const double step = MeanStep(x);
  const double hwhm = EstimatedHalfWidth(x, y, step);
  // The half width in data steps (two where it cannot be had: points that are
  // not finite numbers).
  double points = hwhm / step;
  if (!std::isfinite(points)) points = 2.0;
  points = std::min(points, static_cast<double>(x.size()));
  const int halfWidth = std::clamp(static_cast<int>(std::lround(points)), kMinSmoothingHalfWidth,
                                   kMaxSmoothingHalfWidth);
  const int reach = std::max(kMinBackgroundReach, static_cast<int>(kBackgroundReach * points));
  std::vector<FoundPeak> maxima =
      ProminentMaxima(x, SmoothSavitzkyGolay(y, halfWidth), halfWidth, reach, search.signalToNoise);
  std::stable_sort(maxima.begin(), maxima.end(), [](const FoundPeak& a, const FoundPeak& b) {
    return a.prominence > b.prominence;
  });
  std::vector<double> placed = search.taken;
  std::vector<FoundPeak> found;
  for (const FoundPeak& peak : maxima) {
    if (static_cast<int>(found.size()) >= search.maxPeaks) break;
    if (!Resolved(peak.position, placed, hwhm, search.kalpha2WavelengthRatio)) continue;
    placed.push_back(peak.position);
    found.push_back(peak);
  }
  return found;
}
