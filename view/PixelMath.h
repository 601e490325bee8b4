#pragma once

#include <cmath>

// Float-to-int conversion toward zero, as the run-time's cast does, but kept
// far outside any device when the value is not finite or does not fit an int,
// so that degenerate ranges draw nothing instead of invoking undefined
// behaviour.
inline int TruncToPixel(double v) {
  constexpr double kLimit = 1.0e7;
  if (!(v > -kLimit)) return -static_cast<int>(kLimit);
  if (v > kLimit) return static_cast<int>(kLimit);
  return static_cast<int>(v);
}
