#pragma once

#include <algorithm>
#include <cstdlib>

// Visits the pixels of a one-pixel line from (x0, y0) towards (x1, y1), the
// end point excluded, as the platform's LineTo draws them: one pixel per step
// along the major axis, the minor coordinate stepping by the usual midpoint
// (Bresenham) rule. Axis-parallel lines cover exactly the cells between.
template <typename Visit>
void ForEachLinePixel(int x0, int y0, int x1, int y1, Visit visit) {
  // Differences in 64 bits: callers may pass any int.
  const long long dx = std::llabs(static_cast<long long>(x1) - x0);
  const long long dy = std::llabs(static_cast<long long>(y1) - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int x = x0;
  int y = y0;
  if (dx >= dy) {
    long long error = 2 * dy - dx;
    for (long long i = 0; i < dx; ++i) {
      visit(x, y);
      if (error > 0) {
        y += sy;
        error -= 2 * dx;
      }
      error += 2 * dy;
      x += sx;
    }
  } else {
    long long error = 2 * dx - dy;
    for (long long i = 0; i < dy; ++i) {
      visit(x, y);
      if (error > 0) {
        x += sx;
        error -= 2 * dy;
      }
      error += 2 * dx;
      y += sy;
    }
  }
}

// The pixels of a drawing surface: columns left..right-1, rows top..bottom-1.
struct PixelBounds {
  long long left = 0;
  long long top = 0;
  long long right = 0;
  long long bottom = 0;

  bool Contains(long long x, long long y) const {
    return left <= x && x < right && top <= y && y < bottom;
  }
  // Whether the cells [x0, x1) x [y0, y1) reach into the bounds.
  bool Meets(long long x0, long long y0, long long x1, long long y1) const {
    return x0 < right && left < x1 && y0 < bottom && top < y1 && x0 < x1 && y0 < y1;
  }
};

namespace line_pixels {

// Products of two line lengths need more than 64 bits.
__extension__ using Wide = __int128;

// The steps i in [0, steps) at which start + direction * i lies in [low, high).
inline void StepsWithin(long long start, int direction, long long steps, long long low,
                        long long high, long long& first, long long& end) {
  if (direction > 0) {
    first = low - start;
    end = high - start;
  } else {
    first = start - high + 1;
    end = start - low + 1;
  }
  first = std::max(first, 0LL);
  end = std::min(end, steps);
}

// One line in major/minor terms: `major` advances by one each step, `minor`
// by the midpoint rule. Visits the steps whose major coordinate lies in
// [majorLow, majorHigh), skipping those whose minor one is outside
// [minorLow, minorHigh); the state at the first such step comes straight from
// the step count, so no step before it is walked.
template <typename Visit>
void WalkClipped(long long major, long long minor, long long dMajor, long long dMinor, int sMajor,
                 int sMinor, long long majorLow, long long majorHigh, long long minorLow,
                 long long minorHigh, Visit visit) {
  long long first = 0;
  long long end = 0;
  StepsWithin(major, sMajor, dMajor, majorLow, majorHigh, first, end);
  if (first >= end) return;
  // ForEachLinePixel keeps error = 2 dMinor (i + 1) - dMajor - 2 dMajor k at
  // step i, where k minor steps were taken before it; error lies in
  // (2 dMinor - 2 dMajor, 2 dMinor], which makes k = ceil((2 dMinor i - dMajor) / 2 dMajor).
  const Wide twiceMinor = Wide(2) * dMinor;
  const Wide twiceMajor = Wide(2) * dMajor;
  const long long taken = static_cast<long long>((twiceMinor * first + dMajor - 1) / twiceMajor);
  long long error = static_cast<long long>(twiceMinor * (first + 1) - dMajor - twiceMajor * taken);
  major += sMajor * first;
  minor += sMinor * taken;
  for (long long i = first; i < end; ++i) {
    if (minorLow <= minor && minor < minorHigh) visit(major, minor);
    if (error > 0) {
      minor += sMinor;
      error -= 2 * dMajor;
    }
    error += 2 * dMinor;
    major += sMajor;
  }
}

}  // namespace line_pixels

// The pixels of ForEachLinePixel that lie within bounds, in the same order,
// in time bounded by the size of bounds however long the line is.
template <typename Visit>
void ForEachLinePixelWithin(int x0, int y0, int x1, int y1, const PixelBounds& bounds,
                            Visit visit) {
  const long long dx = std::llabs(static_cast<long long>(x1) - x0);
  const long long dy = std::llabs(static_cast<long long>(y1) - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  if (dx >= dy) {
    line_pixels::WalkClipped(
        x0, y0, dx, dy, sx, sy, bounds.left, bounds.right, bounds.top, bounds.bottom,
        [&](long long x, long long y) { visit(static_cast<int>(x), static_cast<int>(y)); });
  } else {
    line_pixels::WalkClipped(
        y0, x0, dy, dx, sy, sx, bounds.top, bounds.bottom, bounds.left, bounds.right,
        [&](long long y, long long x) { visit(static_cast<int>(x), static_cast<int>(y)); });
  }
}
