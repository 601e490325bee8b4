#include "text/UncertainText.h"

#include <cmath>
#include <cstdio>

namespace {

std::string Printed(const char* format, double value, int decimals = 0) {
  char text[64];
  std::snprintf(text, sizeof text, format, decimals, value);
  return text;
}

// The value rounded to a multiple of 10^place, without a stray "-0".
std::string RoundedTo(double value, int place) {
  const double scale = std::pow(10.0, place);
  double rounded = std::round(value / scale) * scale;
  if (rounded == 0.0) rounded = 0.0;
  return Printed("%.*f", rounded, place < 0 ? -place : 0);
}

}  // namespace

std::string UncertainText(double value, std::optional<double> error) {
  if (!std::isfinite(value)) return Printed("%.*g", value, 6);
  if (!error || !std::isfinite(*error) || *error <= 0.0) return Printed("%.*g", value, 6);
  // The place of the uncertainty's second significant digit; rounding the
  // uncertainty may carry it into one more digit (9.96 -> 10).
  int place = static_cast<int>(std::floor(std::log10(*error))) - 1;
  if (std::round(*error / std::pow(10.0, place)) >= 100.0) ++place;
  return RoundedTo(value, place) + " ± " + RoundedTo(*error, place);
}
