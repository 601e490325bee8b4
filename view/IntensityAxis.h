#pragma once

#include "view/PlotOptions.h"

// The intensity axis of a Y range under a scale: intensities y in data units
// and the axis values t they are placed by, linear in the plot's height.
// Linear: t = y. Square root: t = √y, with y ≤ 0 at t = 0. Logarithmic:
// t = log10 y down to a floor, the range's lower end when it is positive and
// a thousandth of its upper end otherwise; anything at or below the floor
// (zero and negative intensities too) lies on the floor. A range whose upper
// end is not positive leaves nothing to take a root or logarithm of, and is
// linear under every scale.
class IntensityAxis {
 public:
  IntensityAxis(IntensityScale scale, double yMin, double yMax);

  // The scale in force: linear for a range it cannot apply to.
  IntensityScale Scale() const { return m_scale; }
  bool IsLinear() const { return m_scale == IntensityScale::kLinear; }
  double ToAxis(double y) const;
  double FromAxis(double t) const;
  // The axis values of the range's ends.
  double Low() const { return m_low; }
  double High() const { return m_high; }
  // The smallest intensity the axis tells apart from zero (log: its floor).
  double Floor() const { return m_floor; }

 private:
  IntensityScale m_scale;
  double m_floor = 0.0;
  double m_low = 0.0;
  double m_high = 0.0;
};
