#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "series/SeriesXAxis.h"

namespace {

std::vector<double> XOf(SeriesX x, const std::string& pattern) {
  // Started 12:00:00, 11:30:00, unknown and 12:00:30 (seconds of one day).
  const std::vector<SeriesXFile> files = {{"/b/run_300C.xy", 43200.0},
                                          {"/a/run_25C_2.xy", 41400.0},
                                          {"/c/blank.xy", std::nullopt},
                                          {"/d/run_1e3C.xy", 43230.0}};
  std::vector<double> values;
  std::string error;
  EXPECT_TRUE(SeriesXValues(files, x, pattern, values, error)) << error;
  return values;
}

}  // namespace

TEST(SeriesXAxis, IndexNameOrderAndNumbersInNames) {
  EXPECT_EQ(XOf(SeriesX::kIndex, ""), (std::vector<double>{0, 1, 2, 3}));
  // By the file name alone, not the folder: blank, run_1e3C, run_25C_2, run_300C.
  EXPECT_EQ(XOf(SeriesX::kNameOrder, ""), (std::vector<double>{3, 2, 0, 1}));
  const std::vector<double> temperatures = XOf(SeriesX::kNumberInName, R"(_(\d+)C)");
  EXPECT_EQ(temperatures[0], 300.0);
  EXPECT_EQ(temperatures[1], 25.0);
  EXPECT_TRUE(std::isnan(temperatures[2]));  // no match
  EXPECT_TRUE(std::isnan(temperatures[3]));  // "_1e3C": no digits right before the C
  // Without a group the whole match is the number; a match that is no number
  // gives none.
  const std::vector<double> whole = XOf(SeriesX::kNumberInName, R"(\d+(?=C))");
  EXPECT_EQ(whole[0], 300.0);
  EXPECT_TRUE(std::isnan(XOf(SeriesX::kNumberInName, "run")[0]));

  std::vector<double> values;
  std::string error;
  EXPECT_FALSE(SeriesXValues({{"a.xy", {}}}, SeriesX::kNumberInName, "(", values, error));
  EXPECT_FALSE(error.empty());
}

TEST(SeriesXAxis, MinutesFromTheEarliestStartWhateverTheOrder) {
  const std::vector<double> minutes = XOf(SeriesX::kStartTime, "");
  EXPECT_EQ(minutes[0], 30.0);
  EXPECT_EQ(minutes[1], 0.0);
  EXPECT_TRUE(std::isnan(minutes[2]));
  EXPECT_EQ(minutes[3], 30.5);
}
