#include <gtest/gtest.h>

#include <vector>

#include "correct/Snip.h"

namespace {

// Counts whose transform is a whole number k: y = (k² − 1)² − 1.
double CountsOf(double v) { return (v * v - 1) * (v * v - 1) - 1; }

TEST(Snip, TransformRoundTripsAndFloorsAtMinusOne) {
  for (const double y : {-1.0, 0.0, 8.0, 63.0, 1234.5, 1e7}) {
    EXPECT_NEAR(snip::Backward(snip::Forward(y)), y, 1e-9 * (1 + y)) << y;
  }
  EXPECT_EQ(snip::Forward(8.0), 2.0);
  EXPECT_EQ(snip::Forward(-5.0), 1.0);
}

TEST(Snip, OnePassByHand) {
  // v = 2 2 5 2 2; the mean over three points gives 2 3 3 3 2 (the ends
  // keep their own), and the window of half-width 1 clips the shoulders to
  // 2.5, leaving the middle at min(3, (3 + 3)/2).
  const std::vector<double> y{8, 8, CountsOf(5), 8, 8};
  const std::vector<double> b = snip::Baseline(y, 1);
  const std::vector<double> expected{8, CountsOf(2.5), 63, CountsOf(2.5), 8};
  ASSERT_EQ(b.size(), expected.size());
  for (std::size_t i = 0; i < b.size(); ++i) EXPECT_NEAR(b[i], expected[i], 1e-9) << i;
}

TEST(Snip, LeavesABackgroundWithoutPeaksAndShortProfilesAlone) {
  // A background straight in the transform is neither smoothed nor
  // clipped, whatever the window.
  std::vector<double> y;
  for (int i = 0; i < 200; ++i) y.push_back(CountsOf(2.0 + 0.01 * i));
  const std::vector<double> b = snip::Baseline(y, 500);
  for (std::size_t i = 0; i < y.size(); ++i) EXPECT_NEAR(b[i], y[i], 1e-9 * y[i]) << i;
  EXPECT_EQ(snip::Baseline({5, 500}, 3), (std::vector<double>{5, 500}));
}

TEST(Snip, InterpolatesBetweenItsPointsAndHoldsItsEnds) {
  const std::vector<double> x{1, 2, 4}, b{10, 20, 0};
  EXPECT_EQ(snip::Interpolate(x, b, 0.5), 10);
  EXPECT_EQ(snip::Interpolate(x, b, 1.5), 15);
  EXPECT_EQ(snip::Interpolate(x, b, 2), 20);
  EXPECT_EQ(snip::Interpolate(x, b, 3.5), 5);
  EXPECT_EQ(snip::Interpolate(x, b, 9), 0);
}

}  // namespace
