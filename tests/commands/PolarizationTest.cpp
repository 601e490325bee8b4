#include <gtest/gtest.h>

#include <vector>

#include "commands/Commands.h"
#include "tests/support/LoadedProfile.h"
#include "tests/support/TestHost.h"
#include "view/TavView.h"

namespace {

TEST(Polarization, DividesByTheDivisorAndRescalesY) {
  TestHost host;
  CTavDoc doc;
  CTavView view{doc, host};
  LoadSpectrum(view, {0, 60, 90, 120, 180}, {4, 4, 4, 4, 4});
  view.StateForTests().range.m_yMin = -50.0;  // a Y zoom is lost
  OnPolarCorrect(view);
  // With the constant 3.14159 rather than pi, X = 90 is not quite a right
  // angle; past it the divisor changes sign.
  const std::vector<double> divisor{4.0, 6.49999157, 2.2611e6, -6.50001685, -4.0};
  const std::vector<double> tolerance{1e-12, 1e-8, 1e-4, 1e-8, 1e-9};
  for (int i = 1; i <= 5; ++i)
    EXPECT_NEAR(4.0 / doc.m_y[i] / divisor[i - 1], 1.0, tolerance[i - 1]) << i;
  EXPECT_EQ(doc.m_yMax, 1.0);
  EXPECT_NEAR(doc.m_yMin, -1.0, 1e-9);
  EXPECT_EQ(view.Range().m_yMin, doc.m_yMin);
  EXPECT_EQ(view.Range().m_yMax, doc.m_yMax);
  EXPECT_EQ(view.Range().m_xMax, 180.0);
  EXPECT_EQ(host.repaints, 1);

  // Once per run: later uses change nothing and do not repaint, also after a load.
  OnPolarCorrect(view);
  LoadSpectrum(view, {10, 20}, {100, 200});
  OnPolarCorrect(view);
  EXPECT_EQ(doc.m_y[2], 200.0);
  EXPECT_EQ(host.repaints, 1);
}

TEST(Polarization, WithoutSpectrumOnlyTheFlagChanges) {
  TestHost host;
  CTavDoc doc;
  CTavView view{doc, host};
  view.StateForTests().range.m_yMin = 3.0, view.StateForTests().range.m_yMax = 7.0;
  doc.m_yMin = 1.0, doc.m_yMax = 2.0;
  OnPolarCorrect(view);
  EXPECT_EQ(view.Polarized(), 1);
  EXPECT_EQ(view.Range().m_yMin, 3.0);
  EXPECT_EQ(view.Range().m_yMax, 7.0);
  EXPECT_EQ(doc.m_yMin, 1.0);
  EXPECT_EQ(doc.m_yMax, 2.0);
}

}  // namespace
