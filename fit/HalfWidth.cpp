#include "fit/HalfWidth.h"

#include <cmath>
#include <cstddef>

namespace {

// The points above the straight line through the first and last ones.
std::vector<double> AboveEndLine(const std::vector<double>& x, const std::vector<double>& y) {
  const std::size_t last = x.size() - 1;
  const double slope = (y[last] - y[0]) / (x[last] - x[0]);
  std::vector<double> net(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) net[i] = y[i] - (y[0] + slope * (x[i] - x[0]));
  return net;
}

std::size_t NearestPoint(const std::vector<double>& x, double position) {
  std::size_t nearest = 0;
  for (std::size_t i = 1; i < x.size(); ++i) {
    if (std::fabs(x[i] - position) < std::fabs(x[nearest] - position)) nearest = i;
  }
  return nearest;
}

// The top of the peak: from the point nearest the position, uphill while a
// neighbour is higher (a click beside the apex still finds it).
std::size_t ClimbToTop(const std::vector<double>& net, std::size_t i) {
  while (true) {
    if (i > 0 && net[i - 1] > net[i]) {
      --i;
    } else if (i + 1 < net.size() && net[i + 1] > net[i]) {
      ++i;
    } else {
      return i;
    }
  }
}

// The distance from the peak's point to where net first falls to half,
// walking by step (−1 or +1); empty when it never does.
std::optional<double> HalfDistance(const std::vector<double>& x, const std::vector<double>& net,
                                   std::size_t peak, int step) {
  const double half = 0.5 * net[peak];
  std::size_t i = peak;
  while (true) {
    if ((step < 0 && i == 0) || (step > 0 && i + 1 == x.size())) return std::nullopt;
    const std::size_t next = step < 0 ? i - 1 : i + 1;
    if (net[next] <= half) {
      const double t = (net[i] - half) / (net[i] - net[next]);
      const double crossing = x[i] + t * (x[next] - x[i]);
      return std::fabs(crossing - x[peak]);
    }
    i = next;
  }
}

}  // namespace

std::optional<double> MeasureHalfWidth(const std::vector<double>& x, const std::vector<double>& y,
                                       double position) {
  if (x.size() < 3 || x.size() != y.size() || x.back() == x.front()) return std::nullopt;
  const std::vector<double> net = AboveEndLine(x, y);
  const std::size_t peak = ClimbToTop(net, NearestPoint(x, position));
  if (!(net[peak] > 0.0)) return std::nullopt;
  const std::optional<double> left = HalfDistance(x, net, peak, -1);
  const std::optional<double> right = HalfDistance(x, net, peak, +1);
  if (left && right) return 0.5 * (*left + *right);
  if (left) return left;
  return right;
}
