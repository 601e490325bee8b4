#include "fit/KAlphaDoublet.h"

#include <cmath>
#include <numbers>

Kalpha2Line Kalpha2Position(double position, double wavelengthRatio) {
  constexpr double kRadiansPerHalfDegree = std::numbers::pi / 360.0;
  const double theta1 = position * kRadiansPerHalfDegree;
  const double sin2 = wavelengthRatio * std::sin(theta1);
  Kalpha2Line line;
  line.position = std::asin(sin2) / kRadiansPerHalfDegree;
  line.byPosition = wavelengthRatio * std::cos(theta1) / std::sqrt(1.0 - sin2 * sin2);
  return line;
}
