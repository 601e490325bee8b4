#pragma once

#include <string>
#include <vector>

// The background under the peaks, refined with them. Order 1 is the line
// A·x + B of the program's classic fits: its terms are the slope and the
// intercept, uncentred. Every other order N (0..6) is the Chebyshev series
// B(x) = Σ c_k T_k(t), k = 0..N, over the fit window lo..hi, with
// t = (2x − (lo + hi)) / (hi − lo) in −1..1: its terms c0…cN are nearly
// independent of each other at any 2θ, where the powers of an uncentred x
// would not be.

constexpr int kMinBackgroundOrder = 0;
constexpr int kMaxBackgroundOrder = 6;
constexpr int kLineBackgroundOrder = 1;

struct BackgroundBasis {
  int order = kLineBackgroundOrder;
  // The window of the Chebyshev series (unused by the line).
  double lo = 0.0;
  double hi = 0.0;

  bool IsLine() const { return order == kLineBackgroundOrder; }
  // How many terms the model's parameter vector ends with.
  int Terms() const { return IsLine() ? 2 : order + 1; }
  friend bool operator==(const BackgroundBasis&, const BackgroundBasis&) = default;
};

// The basis of the order over the window lo..hi (either way round); a window
// without width is widened by one on either side, so that t stays finite.
BackgroundBasis BackgroundOver(int order, double lo, double hi);

// T_0..T_N at t = Reduced(x) (T must hold N + 1 values) and Σ c_k T_k,
// summed from k = 0 up. The block kernel of the curvature sums does the very
// same operations lane by lane.
double ChebyshevTerms(const BackgroundBasis& basis, double x, const double c[], double T[]);

// The background c[0..Terms−1] at x: for the line c[0]·x + c[1].
double BackgroundValue(const BackgroundBasis& basis, const double c[], double x);

// The terms in basis `to` of the background c in basis `from`: the same
// polynomial expanded over the new window, its Chebyshev series cut after
// the new order when that is lower.
std::vector<double> ConvertBackground(const BackgroundBasis& from, const double c[],
                                      const BackgroundBasis& to);

// The name of term k of a background of the order: "slope", "intercept" of
// the line, "c0"… of the series.
std::string BackgroundTermName(int order, int k);
// The term of that name, or −1.
int BackgroundTermIndex(int order, const std::string& name);
inline int BackgroundTermCount(int order) { return BackgroundBasis{order}.Terms(); }
