#include "fit/BackgroundBasis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr int kMaxTerms = kMaxBackgroundOrder + 1;

// The Chebyshev coefficients of degree < n of a polynomial f of degree < n
// over the window: the discrete transform at the n Chebyshev nodes, exact
// for such a polynomial.
template <class F>
std::array<double, kMaxTerms> ChebyshevCoefficients(const BackgroundBasis& to, int n, F f) {
  std::array<double, kMaxTerms> c{};
  const double centre = 0.5 * (to.lo + to.hi);
  const double half = 0.5 * (to.hi - to.lo);
  for (int j = 0; j < n; ++j) {
    const double angle = std::numbers::pi * (j + 0.5) / n;
    const double value = f(centre + half * std::cos(angle));
    for (int k = 0; k < n; ++k) c[static_cast<std::size_t>(k)] += value * std::cos(k * angle);
  }
  for (int k = 0; k < n; ++k) c[static_cast<std::size_t>(k)] *= (k == 0 ? 1.0 : 2.0) / n;
  return c;
}

}  // namespace

BackgroundBasis BackgroundOver(int order, double lo, double hi) {
  BackgroundBasis basis{order, std::min(lo, hi), std::max(lo, hi)};
  if (!(basis.hi > basis.lo)) {
    basis.lo -= 1.0;
    basis.hi += 1.0;
  }
  return basis;
}

double ChebyshevTerms(const BackgroundBasis& basis, double x, const double c[], double T[]) {
  const double t = (2.0 * x - (basis.lo + basis.hi)) / (basis.hi - basis.lo);
  T[0] = 1.0;
  double sum = c[0];
  if (basis.order >= 1) {
    T[1] = t;
    sum = c[1] * t + sum;
  }
  for (int k = 2; k <= basis.order; ++k) {
    T[k] = (2.0 * t) * T[k - 1] - T[k - 2];
    sum = c[k] * T[k] + sum;
  }
  return sum;
}

double BackgroundValue(const BackgroundBasis& basis, const double c[], double x) {
  if (basis.IsLine()) return c[1] + x * c[0];
  std::array<double, kMaxTerms> T{};
  return ChebyshevTerms(basis, x, c, T.data());
}

std::vector<double> ConvertBackground(const BackgroundBasis& from, const double c[],
                                      const BackgroundBasis& to) {
  // The line means the same over any window.
  if (from == to || (from.IsLine() && to.IsLine())) return std::vector<double>(c, c + from.Terms());
  // Degree 1 for the line; enough nodes for the higher of the two degrees.
  const int fromDegree = from.IsLine() ? 1 : from.order;
  const int n = std::max(fromDegree, std::max(to.order, 1)) + 1;
  const BackgroundBasis window = BackgroundOver(std::max(to.order, 1), to.lo, to.hi);
  const std::array<double, kMaxTerms> series =
      ChebyshevCoefficients(window, n, [&](double x) { return BackgroundValue(from, c, x); });
  if (!to.IsLine()) return std::vector<double>(series.begin(), series.begin() + to.Terms());
  // c0 + c1·t with t = (x − centre) / half.
  const double centre = 0.5 * (window.lo + window.hi);
  const double half = 0.5 * (window.hi - window.lo);
  const double slope = series[1] / half;
  return {slope, series[0] - slope * centre};
}

std::string BackgroundTermName(int order, int k) {
  if (order == kLineBackgroundOrder) return k == 0 ? "slope" : "intercept";
  // Appended, not "c" + string: GCC 12 at -O3 warns wrongly of an overlap
  // in the latter.
  std::string name(1, 'c');
  name += std::to_string(k);
  return name;
}

int BackgroundTermIndex(int order, const std::string& name) {
  for (int k = 0; k < BackgroundTermCount(order); ++k) {
    if (BackgroundTermName(order, k) == name) return k;
  }
  return -1;
}
