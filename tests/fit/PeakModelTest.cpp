#include <gtest/gtest.h>

#include <cmath>

#include "fit/PeakModel.h"

namespace {

using PeakModelTest = ::testing::Test;

TEST_F(PeakModelTest, LorentzianExampleAndPeakvalueAgree) {
  g_function = 1;
  const double a[] = {0, 10, 5, 2, 0.5, 1};
  double value = 0, deriv[6] = {};
  peakmodel(7.0, a, value, deriv, 5);
  EXPECT_EQ(value, 9.5);
  EXPECT_EQ(deriv[1], 0.5);
  EXPECT_EQ(deriv[2], 2.5);
  EXPECT_EQ(deriv[3], 2.5);
  EXPECT_EQ(deriv[4], 7.0);
  EXPECT_EQ(deriv[5], 1.0);
  double plain = 0;
  peakvalue(7.0, a, plain, 5);
  EXPECT_EQ(plain, value);
}

TEST_F(PeakModelTest, ShapesAtCentreFarAwayAndWithNegativeWidth) {
  for (int shape : {0, 1}) {
    g_function = shape;
    const double a[] = {0, 10, 5, 2, 0, 0};
    double value = 0, deriv[6] = {};
    peakmodel(5.0, a, value, deriv, 5);
    EXPECT_EQ(value, 10.0) << shape;  // exactly the height at the centre
    EXPECT_EQ(deriv[2], 0.0) << shape;
    EXPECT_EQ(deriv[3], 0.0) << shape;

    const double negative[] = {0, 10, 5, -2, 0, 0};
    double v1 = 0, v2 = 0, d1[6] = {}, d2[6] = {};
    peakmodel(6.3, a, v1, d1, 5);
    peakmodel(6.3, negative, v2, d2, 5);
    EXPECT_EQ(v1, v2) << shape;
    EXPECT_EQ(d1[3], -d2[3]) << shape;
  }
  g_function = 0;
  const double a[] = {0, 10, 5, 0.01, 0, 0};
  double value = 1, deriv[6] = {};
  peakmodel(50.0, a, value, deriv, 5);
  EXPECT_EQ(value, 0.0);  // exp underflows: the peak adds nothing
  EXPECT_EQ(deriv[1], 0.0);
  EXPECT_EQ(deriv[2], 0.0);
  EXPECT_EQ(deriv[3], 0.0);
  g_function = 1;  // a Lorentzian never vanishes: h/10001 at u = 100
  const double wide[] = {0, 10001, 5, 2, 0, 0};
  peakvalue(205.0, wide, value, 5);
  EXPECT_DOUBLE_EQ(value, 1.0);
}

TEST_F(PeakModelTest, BackgroundOnlyAndUnknownSelector) {
  const double line[] = {0, 0.5, 1};
  double value = 0, deriv[3] = {};
  peakmodel(4.0, line, value, deriv, 2);
  EXPECT_EQ(value, 3.0);
  EXPECT_EQ(deriv[1], 4.0);
  EXPECT_EQ(deriv[2], 1.0);

  g_function = -1;
  const double a[] = {0, 10, 5, 2, 0.5, 1};
  double d[6] = {0, 9, 9, 9, 9, 9};
  peakmodel(7.0, a, value, d, 5);
  EXPECT_EQ(value, 0.0);
  for (int m = 1; m <= 5; ++m) EXPECT_EQ(d[m], 0.0) << m;
  peakvalue(7.0, a, value, 5);
  EXPECT_EQ(value, 0.0);
}

}  // namespace
