#include "view/IntensityAxis.h"

#include <cmath>

namespace {

constexpr double kLogFloorShare = 1.0e-3;

}  // namespace

IntensityAxis::IntensityAxis(IntensityScale scale, double yMin, double yMax)
    : m_scale(yMax > 0.0 ? scale : IntensityScale::kLinear) {
  if (m_scale == IntensityScale::kLog) m_floor = yMin > 0.0 ? yMin : yMax * kLogFloorShare;
  m_low = ToAxis(yMin);
  m_high = ToAxis(yMax);
}

double IntensityAxis::ToAxis(double y) const {
  switch (m_scale) {
    case IntensityScale::kSqrt:
      return y > 0.0 ? std::sqrt(y) : 0.0;
    case IntensityScale::kLog:
      return std::log10(y > m_floor ? y : m_floor);
    case IntensityScale::kLinear:
      break;
  }
  return y;
}

double IntensityAxis::FromAxis(double t) const {
  switch (m_scale) {
    case IntensityScale::kSqrt:
      return t > 0.0 ? t * t : 0.0;
    case IntensityScale::kLog:
      return std::pow(10.0, t);
    case IntensityScale::kLinear:
      break;
  }
  return t;
}
