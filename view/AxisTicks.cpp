#include "view/AxisTicks.h"

#include <cmath>
#include <cstdio>

namespace {

// The number of ticks at most, whatever the span: guards against a step that
// vanishes against the span's magnitude.
constexpr int kMaxTicks = 100;

double RoundStep(double span, int target) {
  const double raw = span / target;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  const double mantissa = raw / power;
  if (mantissa < 1.5) return power;
  if (mantissa < 3.5) return 2.0 * power;
  if (mantissa < 7.5) return 5.0 * power;
  return 10.0 * power;
}

std::string FixedLabel(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value == 0.0 ? 0.0 : value);
  return text;
}

std::string GeneralLabel(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

}  // namespace

std::vector<AxisTick> RoundTicks(double lo, double hi, int target) {
  std::vector<AxisTick> ticks;
  if (!std::isfinite(lo) || !std::isfinite(hi) || !(lo < hi) || target < 1) return ticks;
  const double step = RoundStep(hi - lo, target);
  if (!(step > 0.0) || !std::isfinite(step)) return ticks;
  const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  const double first = std::ceil(lo / step - 1e-9);
  for (int i = 0; i < kMaxTicks; ++i) {
    // Each tick from its own multiple, so that rounding does not accumulate.
    const double value = (first + i) * step;
    if (value > hi + step * 1e-9) break;
    ticks.push_back({value, FixedLabel(value, decimals)});
  }
  return ticks;
}

std::vector<AxisTick> LogTicks(double lo, double hi, int target) {
  std::vector<AxisTick> ticks;
  if (!(lo > 0.0) || !(hi > lo) || !std::isfinite(hi)) return ticks;
  const double decades = std::log10(hi / lo);
  if (decades < 1.0) return RoundTicks(lo, hi, target);
  const bool withSubTicks = decades < 3.0;
  const int firstPower = static_cast<int>(std::floor(std::log10(lo)));
  const int lastPower = static_cast<int>(std::ceil(std::log10(hi)));
  for (int e = firstPower; e <= lastPower && static_cast<int>(ticks.size()) < kMaxTicks; ++e) {
    for (const double m : {1.0, 2.0, 5.0}) {
      if (m != 1.0 && !withSubTicks) continue;
      const double value = m * std::pow(10.0, e);
      if (value >= lo * (1 - 1e-12) && value <= hi * (1 + 1e-12)) {
        ticks.push_back({value, GeneralLabel(value)});
      }
    }
  }
  return ticks;
}
