#include <gtest/gtest.h>

#include <vector>

#include "tests/support/FakeHost.h"
#include "tests/support/LoadedProfile.h"
#include "view/TavView.h"

namespace {

TEST(Polarization, DividesByTheDivisorAndRescalesY) {
  FakeHost host;
  CTavDoc doc;
  CTavView view{doc, host};
  LoadSpectrum(view, {0, 60, 90, 120, 180}, {4, 4, 4, 4, 4});
  view.m_yMin = -50.0;  // a Y zoom is lost
  view.OnPolarCorrect();
  // With the constant 3.14159 rather than pi, X = 90 is not quite a right
  // angle; past it the divisor changes sign.
  const std::vector<double> divisor{4.0, 6.49999157, 2.2611e6, -6.50001685, -4.0};
  const std::vector<double> tolerance{1e-12, 1e-8, 1e-4, 1e-8, 1e-9};
  for (int i = 1; i <= 5; ++i) EXPECT_NEAR(4.0 / doc.m_y[i] / divisor[i - 1], 1.0, tolerance[i - 1]) << i;
  EXPECT_EQ(doc.m_yMax, 1.0);
  EXPECT_NEAR(doc.m_yMin, -1.0, 1e-9);
  EXPECT_EQ(view.m_yMin, doc.m_yMin);
  EXPECT_EQ(view.m_yMax, doc.m_yMax);
  EXPECT_EQ(view.m_xMax, 180.0);
  EXPECT_EQ(host.repaints, 1);

  // Once per run: later uses change nothing and do not repaint, also after a load.
  view.OnPolarCorrect();
  LoadSpectrum(view, {10, 20}, {100, 200});
  view.OnPolarCorrect();
  EXPECT_EQ(doc.m_y[2], 200.0);
  EXPECT_EQ(host.repaints, 1);
}

TEST(Polarization, WithoutSpectrumOnlyTheFlagChanges) {
  FakeHost host;
  CTavDoc doc;
  CTavView view{doc, host};
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
