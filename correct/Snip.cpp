#include "correct/Snip.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace snip {

double Forward(double y) { return std::sqrt(std::sqrt(std::max(y, -1.0) + 1.0) + 1.0); }

double Backward(double v) {
  const double r = v * v - 1.0;
  return r * r - 1.0;
}

std::vector<double> MovingMean(const std::vector<double>& v, int k) {
  const std::size_t n = v.size();
  std::vector<double> mean(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t w = std::min({static_cast<std::size_t>(std::max(k, 0)), i, n - 1 - i});
    double sum = 0.0;
    for (std::size_t j = i - w; j <= i + w; ++j) sum += v[j];
    mean[i] = sum / static_cast<double>(2 * w + 1);
  }
  return mean;
}

int SmoothingHalfWidth(int maxHalfWidth) {
  return std::max(1, static_cast<int>(std::lround(maxHalfWidth / 6.0)));
}

namespace {

// One clipping pass of half-width m from `from` into `to`; the window
// narrows to min(m, i, n − 1 − i) near the ends.
void ClipPass(const std::vector<double>& from, std::vector<double>& to, std::size_t m) {
  const std::size_t n = from.size();
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t w = std::min({m, i, n - 1 - i});
    const double mean = w == 0 ? from[i] : 0.5 * (from[i - w] + from[i + w]);
    to[i] = std::min(from[i], mean);
  }
}

}  // namespace

std::vector<double> Baseline(const std::vector<double>& y, int maxHalfWidth) {
  const std::size_t n = y.size();
  if (n < 3) return y;
  // A wider window than half the profile reaches no further.
  const std::size_t top =
      std::min<std::size_t>(static_cast<std::size_t>(std::max(maxHalfWidth, 1)), (n - 1) / 2);
  std::vector<double> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = Forward(y[i]);
  v = MovingMean(v, SmoothingHalfWidth(static_cast<int>(top)));
  std::vector<double> next(n);
  for (std::size_t m = top; m >= 1; --m) {
    ClipPass(v, next, m);
    v.swap(next);
  }
  for (std::size_t i = 0; i < n; ++i) v[i] = Backward(v[i]);
  return v;
}

double Interpolate(const std::vector<double>& x, const std::vector<double>& b, double at) {
  if (at <= x.front()) return b.front();
  if (at >= x.back()) return b.back();
  const std::size_t hi =
      static_cast<std::size_t>(std::upper_bound(x.begin(), x.end(), at) - x.begin());
  const std::size_t lo = hi - 1;
  if (x[hi] == x[lo]) return b[lo];
  const double t = (at - x[lo]) / (x[hi] - x[lo]);
  return b[lo] + t * (b[hi] - b[lo]);
}

}  // namespace snip
