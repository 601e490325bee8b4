#pragma once

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
