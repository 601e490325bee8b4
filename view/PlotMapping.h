#pragma once

#include "view/IntensityAxis.h"
#include "view/PixelMath.h"
#include "view/PlotLayout.h"
#include "view/ViewState.h"

// Data <-> pixel conversions of the plot window for one display range,
// layout and intensity scale, truncating toward zero. Under the linear scale
// they are the plain proportions of the window; under the others the
// intensity goes through its axis value first.
class PlotMapping {
 public:
  PlotMapping(const DisplayRange& range, const PlotLayout& layout, IntensityScale scale)
      : m_range(range), m_layout(layout), m_axis(scale, range.m_yMin, range.m_yMax) {}

  const DisplayRange& Range() const { return m_range; }
  const PlotLayout& Layout() const { return m_layout; }
  const IntensityAxis& Axis() const { return m_axis; }

  int XToPixel(double x) const {
    const DisplayRange& r = m_range;
    return TruncToPixel((x - r.m_xMin) * m_layout.Width() / (r.m_xMax - r.m_xMin) + m_layout.left);
  }
  int YToPixel(double y) const {
    const DisplayRange& r = m_range;
    if (m_axis.IsLinear()) {
      return TruncToPixel((y - r.m_yMin) * -m_layout.Height() / (r.m_yMax - r.m_yMin) +
                          m_layout.bottom);
    }
    return TruncToPixel((m_axis.ToAxis(y) - m_axis.Low()) * -m_layout.Height() /
                            (m_axis.High() - m_axis.Low()) +
                        m_layout.bottom);
  }
  double PixelToX(int px) const {
    const DisplayRange& r = m_range;
    return (r.m_xMax - r.m_xMin) * (px - m_layout.left) / m_layout.Width() + r.m_xMin;
  }
  double PixelToY(int py) const {
    const DisplayRange& r = m_range;
    if (m_axis.IsLinear()) {
      return (r.m_yMin - r.m_yMax) * (py - m_layout.top) / m_layout.Height() + r.m_yMax;
    }
    return m_axis.FromAxis(AxisAtPixel(py));
  }
  // The axis value at row py.
  double AxisAtPixel(int py) const {
    return (m_axis.Low() - m_axis.High()) * (py - m_layout.top) / m_layout.Height() + m_axis.High();
  }
  // Abscissa of the curve drawn in column left + s, s = 0..Width().
  double CurveX(int s) const {
    const DisplayRange& r = m_range;
    return (r.m_xMax - r.m_xMin) * s / m_layout.Width() + r.m_xMin;
  }

 private:
  DisplayRange m_range;
  PlotLayout m_layout;
  IntensityAxis m_axis;
};
