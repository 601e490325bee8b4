// The background series against Chebyshev polynomials written out as
// powers of t, and its changes of window and order against those values.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fit/BackgroundBasis.h"
#include "fit/PeakModel.h"

namespace {

// T_k(t) as the polynomials in t.
double T(int k, double t) {
  const double t2 = t * t;
  switch (k) {
    case 0:
      return 1;
    case 1:
      return t;
    case 2:
      return 2 * t2 - 1;
    case 3:
      return (4 * t2 - 3) * t;
    case 4:
      return 8 * t2 * t2 - 8 * t2 + 1;
    case 5:
      return ((16 * t2 - 20) * t2 + 5) * t;
    default:
      return ((32 * t2 - 48) * t2 + 18) * t2 - 1;
  }
}

double Series(const std::vector<double>& c, double lo, double hi, double x) {
  const double t = (x - (lo + hi) / 2) / ((hi - lo) / 2);
  double sum = 0;
  for (std::size_t k = 0; k < c.size(); ++k) sum += c[k] * T(static_cast<int>(k), t);
  return sum;
}

TEST(BackgroundBasis, TheModelAddsTheSeriesAndItsTermsAreTheDerivatives) {
  const std::vector<double> c = {120, -15, 8, 3, -2, 1, 0.5};
  for (const int order : {0, 2, 3, 6}) {
    const BackgroundBasis basis = BackgroundOver(order, 60, 20);  // either way round
    EXPECT_EQ(basis.lo, 20);
    EXPECT_EQ(basis.hi, 60);
    const std::vector<double> terms(c.begin(), c.begin() + order + 1);
    // One Gaussian, then the terms.
    std::vector<double> a = {0, 50, 40, 0.3};
    a.insert(a.end(), terms.begin(), terms.end());
    const int npar = static_cast<int>(a.size()) - 1;
    const PeakModel model(kGaussian, {}, basis);
    for (const double x : {18.0, 20.0, 33.3, 40.0, 59.9, 61.0}) {
      std::vector<double> deriv(a.size());
      double value = 0;
      model.Evaluate(x, a.data(), value, deriv.data(), npar);
      const double u = (x - 40) / 0.3;
      const double peak = 50 * std::exp(-u * u);
      EXPECT_NEAR(value, peak + Series(terms, 20, 60, x), 1e-10 * std::fabs(value)) << order;
      EXPECT_NEAR(model.BackgroundAt(x, a.data(), npar), Series(terms, 20, 60, x), 1e-10 * 200);
      const double t = (x - 40) / 20;
      for (int k = 0; k <= order; ++k) EXPECT_NEAR(deriv[4 + k], T(k, t), 1e-12) << order << k;
    }
  }
}

TEST(BackgroundBasis, ChangingWindowOrOrderKeepsThePolynomial) {
  const BackgroundBasis line = BackgroundOver(1, 20, 60);
  const double slope = -1.5, intercept = 300;
  const double lineTerms[] = {slope, intercept};
  const BackgroundBasis wide = BackgroundOver(3, 10, 80);
  const std::vector<double> fromLine = ConvertBackground(line, lineTerms, wide);
  ASSERT_EQ(fromLine.size(), 4u);
  const std::vector<double> cubic = {100, -20, 7, 2};
  const BackgroundBasis narrow = BackgroundOver(3, 25, 45);
  const std::vector<double> moved =
      ConvertBackground(BackgroundOver(3, 20, 60), cubic.data(), narrow);
  for (const double x : {12.0, 25.0, 40.0, 77.0}) {
    EXPECT_NEAR(Series(fromLine, 10, 80, x), slope * x + intercept, 1e-9);
    EXPECT_NEAR(Series(moved, 25, 45, x), Series(cubic, 20, 60, x), 1e-9);
  }
  // A lower order keeps the first terms over the same window (the series cut).
  const std::vector<double> cut =
      ConvertBackground(BackgroundOver(3, 20, 60), cubic.data(), BackgroundOver(2, 20, 60));
  ASSERT_EQ(cut.size(), 3u);
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(cut[k], cubic[k], 1e-10);
  // Down to the line: c0 + c1·t in x.
  const std::vector<double> toLine =
      ConvertBackground(BackgroundOver(3, 20, 60), cubic.data(), BackgroundOver(1, 20, 60));
  EXPECT_NEAR(toLine[0], -20.0 / 20, 1e-12);
  EXPECT_NEAR(toLine[1], 100 + 20.0 * 40 / 20, 1e-9);
  // The line over another window is the very same line, bit for bit.
  const std::vector<double> same = ConvertBackground(line, lineTerms, BackgroundOver(1, 0, 5));
  EXPECT_EQ(same, std::vector<double>({slope, intercept}));
}

TEST(BackgroundBasis, NamesOfTheTerms) {
  EXPECT_EQ(BackgroundTermName(1, 0), "slope");
  EXPECT_EQ(BackgroundTermName(1, 1), "intercept");
  EXPECT_EQ(BackgroundTermName(3, 2), "c2");
  EXPECT_EQ(BackgroundTermIndex(0, "c0"), 0);
  EXPECT_EQ(BackgroundTermIndex(3, "c4"), -1);
  EXPECT_EQ(BackgroundTermIndex(3, "slope"), -1);
  EXPECT_EQ(BackgroundTermIndex(1, "c0"), -1);
  // A window without width stays usable.
  const BackgroundBasis point = BackgroundOver(2, 5, 5);
  EXPECT_LT(point.lo, point.hi);
}

}  // namespace
