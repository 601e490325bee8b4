#include <gtest/gtest.h>

#include <limits>

#include "text/UncertainText.h"

// The uncertainty keeps two significant digits and the value is rounded to
// the same decimal place; without a usable uncertainty six digits remain.
TEST(UncertainText, RoundsTheValueToItsUncertainty) {
  EXPECT_EQ(UncertainText(2103.9247, 1.234), "2103.9 ± 1.2");
  EXPECT_EQ(UncertainText(2103.9247, 12.34), "2104 ± 12");
  EXPECT_EQ(UncertainText(123456.0, 1234.0), "123500 ± 1200");
  EXPECT_EQ(UncertainText(0.81234567890123, 0.0123), "0.812 ± 0.012");
  // Rounding the uncertainty up to 100 of its last place moves the place.
  EXPECT_EQ(UncertainText(0.5, 0.0996), "0.50 ± 0.10");
  EXPECT_EQ(UncertainText(-0.0004, 0.01), "0.000 ± 0.010");
  EXPECT_EQ(UncertainText(1.25, std::nullopt), "1.25");
  EXPECT_EQ(UncertainText(0.123456789, 0.0), "0.123457");
  EXPECT_EQ(UncertainText(3.0, std::numeric_limits<double>::infinity()), "3");
  EXPECT_EQ(UncertainText(std::numeric_limits<double>::quiet_NaN(), 1.0), "nan");
}
