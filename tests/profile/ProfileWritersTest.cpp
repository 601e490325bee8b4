#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile/ProfileWriters.h"

namespace {

CTavDoc Spectrum(const std::vector<double>& y, double start = 10.0, double step = 0.5,
                 double stop = 22.0) {
  CTavDoc doc;
  doc.m_nData = static_cast<int>(y.size());
  doc.Reserve(doc.m_nData);
  for (int i = 1; i <= doc.m_nData; ++i) {
    doc.m_x[i] = start + (i - 1) * step;
    doc.m_y[i] = y[i - 1];
  }
  doc.m_start = start, doc.m_step = step, doc.m_stop = stop;
  return doc;
}

const std::string kHeader = "\n\n\n\n  10.000   0.500  22.000 from RINT\n";

TEST(CountFile, TruncatedCountsTenPerLine) {
  std::vector<double> y{12.9, -3.7};
  for (int v = 3; v <= 25; ++v) y.push_back(v);
  EXPECT_EQ(FormatCountFile(Spectrum(y)),
            kHeader +
                "      12      -3       3       4       5       6       7       8       9      10\n"
                "      11      12      13      14      15      16      17      18      19      20\n"
                "      21      22      23      24      25\n");

  // A full last line is not followed by an empty one; an empty spectrum is.
  EXPECT_EQ(
      FormatCountFile(Spectrum(std::vector<double>(10, 7.0))),
      kHeader +
          "       7       7       7       7       7       7       7       7       7       7\n");
  EXPECT_EQ(FormatCountFile(Spectrum({})), kHeader + "\n");

  // Counts beyond 32 bits are written whole; a field wider than 8 is not cut.
  EXPECT_EQ(FormatCountFile(Spectrum({3.0e9, -123456789.9}, -1.5, 0.25, 1234.5678)),
            "\n\n\n\n  -1.500   0.2501234.568 from RINT\n3000000000-123456789\n");
}

TEST(XyList, CountThenSixDecimals) {
  CTavDoc doc = Spectrum({1234.5678916, -0.25, 1.0e20}, 2.01, 0.02);
  EXPECT_EQ(FormatXyList(doc),
            "3\n2.010000 1234.567892\n2.030000 -0.250000\n2.050000 100000000000000000000.000000\n");
  EXPECT_EQ(FormatXyList(Spectrum({})), "0\n");
}

}  // namespace
