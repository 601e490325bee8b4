#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "profile/ProfileWriters.h"
#include "profile/Tokens.h"

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

  // Counts beyond 32 bits are written whole; a value of 8 characters or more
  // is not cut and gets a blank before it.
  EXPECT_EQ(FormatCountFile(Spectrum({3.0e9, -123456789.9}, -1.5, 0.25, 1234.5678)),
            "\n\n\n\n  -1.500   0.250 1234.568 from RINT\n 3000000000 -123456789\n");
}

TEST(CountFile, WideCountsStaySeparateAndReadBack) {
  const std::vector<double> y{12345678, -1234567, 1234567, -123456, 99999999.9, 5};
  const std::string file = FormatCountFile(Spectrum(y));
  EXPECT_EQ(file, kHeader + " 12345678 -1234567 1234567 -123456 99999999       5\n");
  const std::string data = file.substr(kHeader.size());
  std::vector<double> counts;
  for (const auto token : SplitTokens(data, 100)) {
    counts.push_back(DecimalPrefix(token));
  }
  EXPECT_EQ(counts, (std::vector<double>{12345678, -1234567, 1234567, -123456, 99999999, 5}));
  // Header values of 8 characters are kept apart too.
  EXPECT_EQ(FormatCountFile(Spectrum({}, -100.0, 0.02, 9999.5)),
            "\n\n\n\n -100.000   0.020 9999.500 from RINT\n\n");
}

TEST(Unwritable, NamesTheFirstValueThatIsNotFinite) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  CTavDoc doc = Spectrum({1.0e300, -1.0e300, 3.0});
  EXPECT_EQ(XyListUnwritable(doc), "");
  EXPECT_EQ(CountFileUnwritable(doc), "");
  EXPECT_EQ(CountFileUnwritable(Spectrum({})), "");

  doc.m_y[3] = -inf;
  doc.m_x[2] = nan;
  EXPECT_EQ(XyListUnwritable(doc), "保存できません: 点 2 の X が有限の数ではありません (nan)");
  // The count file holds no X values.
  EXPECT_EQ(CountFileUnwritable(doc), "保存できません: 点 3 の強度が有限の数ではありません (-inf)");
  doc.m_x[2] = 1.0;
  doc.m_y[2] = inf;
  EXPECT_EQ(XyListUnwritable(doc), "保存できません: 点 2 の強度が有限の数ではありません (inf)");

  EXPECT_EQ(CountFileUnwritable(Spectrum({1}, nan)),
            "保存できません: 開始値が有限の数ではありません (nan)");
  EXPECT_EQ(CountFileUnwritable(Spectrum({1}, 1, inf)),
            "保存できません: ステップが有限の数ではありません (inf)");
  EXPECT_EQ(CountFileUnwritable(Spectrum({1}, 1, 1, -inf)),
            "保存できません: 終了値が有限の数ではありません (-inf)");
  // Values past the point count are not saved and not looked at.
  CTavDoc shorter = Spectrum({1, inf});
  shorter.m_nData = 1;
  EXPECT_EQ(XyListUnwritable(shorter), "");
  EXPECT_EQ(CountFileUnwritable(shorter), "");
}

TEST(XyList, CountThenSixDecimals) {
  CTavDoc doc = Spectrum({1234.5678916, -0.25, 1.0e20}, 2.01, 0.02);
  EXPECT_EQ(FormatXyList(doc),
            "3\n2.010000 1234.567892\n2.030000 -0.250000\n2.050000 100000000000000000000.000000\n");
  EXPECT_EQ(FormatXyList(Spectrum({})), "0\n");
}

}  // namespace
