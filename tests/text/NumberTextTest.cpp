#include <gtest/gtest.h>

#include <limits>

#include "text/NumberText.h"

namespace {

TEST(NumberTextTest, DecimalWithEightSignificantDigitsAndNoTrailingZeros) {
  EXPECT_EQ(NumberText(12.5), "12.5");
  EXPECT_EQ(NumberText(-1234.56789), "-1234.5679");
  EXPECT_EQ(NumberText(152.3687241), "152.36872");
  EXPECT_EQ(NumberText(0.5), "0.5");
  EXPECT_EQ(NumberText(0.123456789), "0.12345679");
  // Whole numbers keep their decimal point, as the run-time's format does.
  EXPECT_EQ(NumberText(100), "100.");
  EXPECT_EQ(NumberText(12345678), "12345678.");
  EXPECT_EQ(NumberText(0.0), "0.");
}

TEST(NumberTextTest, ExponentWhenDecimalCannotHoldTheDigits) {
  EXPECT_EQ(NumberText(0.0125), "1.25e-002");
  EXPECT_EQ(NumberText(123456789), "1.2345679e+008");
  EXPECT_EQ(NumberText(-2.5e-300), "-2.5e-300");
  // Rounding to eight digits can carry into the next power of ten.
  EXPECT_EQ(NumberText(99999999.7), "1.e+008");
  EXPECT_EQ(NumberText(9.999999999), "10.");
}

TEST(NumberTextTest, NonFiniteValuesAreNamed) {
  EXPECT_EQ(NumberText(std::numeric_limits<double>::quiet_NaN()), "nan");
  EXPECT_EQ(NumberText(std::numeric_limits<double>::infinity()), "inf");
  EXPECT_EQ(NumberText(-std::numeric_limits<double>::infinity()), "-inf");
}

}  // namespace
