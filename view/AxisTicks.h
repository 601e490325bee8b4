#pragma once

#include <string>
#include <vector>

// Tick values of an axis at round numbers.

struct AxisTick {
  double value = 0.0;
  std::string label;
};

// Multiples of 1, 2 or 5 times a power of ten within lo..hi, about `target`
// of them (none for an empty or non-finite span), labelled with as many
// decimals as the step needs.
std::vector<AxisTick> RoundTicks(double lo, double hi, int target);

// Ticks of a logarithmic axis from lo to hi (both positive): the powers of
// ten, with 2 and 5 times them when the span covers fewer than three
// decades; a span within one decade falls back to round ticks.
std::vector<AxisTick> LogTicks(double lo, double hi, int target);
