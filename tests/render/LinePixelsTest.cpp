#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

#include "render/LinePixels.h"

namespace {

using Pixels = std::vector<std::pair<int, int>>;

Pixels WholeLineWithin(int x0, int y0, int x1, int y1, const PixelBounds& bounds) {
  Pixels pixels;
  ForEachLinePixel(x0, y0, x1, y1, [&](int x, int y) {
    if (bounds.Contains(x, y)) pixels.emplace_back(x, y);
  });
  return pixels;
}

Pixels ClippedLine(int x0, int y0, int x1, int y1, const PixelBounds& bounds) {
  Pixels pixels;
  ForEachLinePixelWithin(x0, y0, x1, y1, bounds, [&](int x, int y) { pixels.emplace_back(x, y); });
  return pixels;
}

TEST(LinePixelsTest, ClippedLinesKeepExactlyThePixelsOfTheWholeLineInside) {
  const PixelBounds bounds{0, 0, 5, 4};
  // Every line between points around and inside a 5 x 4 surface.
  for (int x0 = -3; x0 <= 8; ++x0) {
    for (int y0 = -3; y0 <= 7; ++y0) {
      for (int x1 = -3; x1 <= 8; ++x1) {
        for (int y1 = -3; y1 <= 7; ++y1) {
          ASSERT_EQ(ClippedLine(x0, y0, x1, y1, bounds), WholeLineWithin(x0, y0, x1, y1, bounds))
              << x0 << "," << y0 << " -> " << x1 << "," << y1;
        }
      }
    }
  }
  // Long lines of every slope class that cross a surface off the origin.
  const PixelBounds far{-40, 100, 60, 170};
  const std::pair<int, int> ends[] = {{-3000000, -1000000}, {2999999, 1000777}, {-123457, 2000003},
                                      {7, -1999999},        {1000000, 135},     {-999999, 134}};
  for (const auto& [x0, y0] : ends) {
    for (const auto& [x1, y1] : ends) {
      EXPECT_EQ(ClippedLine(x0, y0, x1, y1, far), WholeLineWithin(x0, y0, x1, y1, far))
          << x0 << "," << y0 << " -> " << x1 << "," << y1;
    }
  }
}

TEST(LinePixelsTest, LinesAcrossTheWholeIntRangeCostOnlyTheSurface) {
  const PixelBounds bounds{-5, -5, 5, 5};
  // A step of one in 2^32 - 1 columns is taken half-way, at x = 0.
  EXPECT_EQ(
      ClippedLine(INT_MIN, 0, INT_MAX, 1, bounds),
      (Pixels{
          {-5, 0}, {-4, 0}, {-3, 0}, {-2, 0}, {-1, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}}));
  // Right to left and bottom to top, on the diagonals.
  EXPECT_EQ(ClippedLine(INT_MAX, INT_MAX, INT_MIN, INT_MIN, bounds).size(), 10u);
  const Pixels antiDiagonal = ClippedLine(INT_MIN + 1, INT_MAX, INT_MAX, INT_MIN + 1, bounds);
  ASSERT_EQ(antiDiagonal.size(), 9u);
  EXPECT_EQ(antiDiagonal.front(), (std::pair{-4, 4}));
  EXPECT_EQ(antiDiagonal.back(), (std::pair{4, -4}));
  // Steep lines that pass beside the surface visit nothing.
  EXPECT_TRUE(ClippedLine(INT_MIN, INT_MIN, INT_MIN + 2, INT_MAX, bounds).empty());
  EXPECT_TRUE(ClippedLine(6, INT_MIN, 7, INT_MAX, bounds).empty());
  EXPECT_TRUE(ClippedLine(0, 0, 0, 0, bounds).empty());
  EXPECT_TRUE(ClippedLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX, PixelBounds{}).empty());
}

}  // namespace
