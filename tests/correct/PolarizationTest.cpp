#include <gtest/gtest.h>

#include <vector>

#include "tests/support/FakeHost.h"
#include "tests/support/Spectrum.h"
#include "view/TavView.h"

namespace {

class PolarizationTest : public ::testing::Test {
 protected:
  FakeHost host;
  CTavDoc doc;
  CTavView view{doc, host};
};

TEST_F(PolarizationTest, DividesByTheDivisorAndRescalesY) {
  LoadSpectrum(view, {0, 60, 90, 120, 180}, {4, 4, 4, 4, 4});
  view.m_yMin = -50.0;  // a Y zoom is lost
  view.OnPolarCorrect();
  // The divisors, with the constant 3.14159 rather than pi: X = 90 is not
  // exactly a right angle, and past it the sign changes.
  const std::vector<double> divisor{4.0, 6.49999157, 2.2611e6, -6.50001685, -4.0};
  const std::vector<double> tolerance{1e-12, 1e-8, 1e-4, 1e-8, 1e-9};
  for (int i = 1; i <= 5; ++i) {
    const double d = 4.0 / doc.m_y[i];
    EXPECT_NEAR(d / divisor[i - 1], 1.0, tolerance[i - 1]) << "X = " << doc.m_x[i];
  }
  EXPECT_EQ(doc.m_yMax, 1.0);
  EXPECT_NEAR(doc.m_yMin, -1.0, 1e-9);  // D at 180 is -4 only to ten digits
  EXPECT_EQ(view.m_yMin, doc.m_yMin);
  EXPECT_EQ(view.m_yMax, doc.m_yMax);
  EXPECT_EQ(view.m_xMin, 0.0);
  EXPECT_EQ(view.m_xMax, 180.0);
  EXPECT_EQ(view.m_bPolarized, 1);
  EXPECT_EQ(host.repaints, 1);
}

TEST_F(PolarizationTest, AppliesOncePerRunEvenAcrossLoads) {
  LoadSpectrum(view, {10, 20}, {100, 200});
  view.OnPolarCorrect();
  const double once = doc.m_y[2];
  view.OnPolarCorrect();
  EXPECT_EQ(doc.m_y[2], once);
  LoadSpectrum(view, {10, 20}, {100, 200});
  view.OnPolarCorrect();
  EXPECT_EQ(doc.m_y[2], 200.0);
  EXPECT_EQ(host.repaints, 1);
}

TEST_F(PolarizationTest, WithoutSpectrumOnlyTheFlagChanges) {
  view.m_yMin = 3.0, view.m_yMax = 7.0;
  doc.m_yMin = 1.0, doc.m_yMax = 2.0;
  view.OnPolarCorrect();
  EXPECT_EQ(view.m_bPolarized, 1);
  EXPECT_EQ(view.m_yMin, 3.0);
  EXPECT_EQ(view.m_yMax, 7.0);
  EXPECT_EQ(doc.m_yMin, 1.0);
  EXPECT_EQ(doc.m_yMax, 2.0);
}

}  // namespace
