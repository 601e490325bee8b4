// Wheel zoom and panning: the display range moved or scaled about a pixel, in
// the axis units of the intensity scale so that the point under the pointer
// stays under it.
#include <cmath>

#include "view/TavView.h"

namespace {

constexpr double kZoomPerStep = 0.8;

// The span lo..hi scaled by factor about c.
void ScaleAbout(double c, double factor, double& lo, double& hi) {
  const double newLo = c - (c - lo) * factor;
  const double newHi = c + (hi - c) * factor;
  if (std::isfinite(newLo) && std::isfinite(newHi) && newLo < newHi) {
    lo = newLo;
    hi = newHi;
  }
}

}  // namespace

void CTavView::ZoomAbout(int px, int py, int steps) {
  DisplayRange& r = m_state.range;
  if (steps == 0 || !(r.m_xMin < r.m_xMax) || !(r.m_yMin < r.m_yMax)) return;
  const double factor = std::pow(kZoomPerStep, steps);
  const PlotMapping m = Mapping();
  const IntensityAxis& axis = m.Axis();
  const double x0 = m.PixelToX(px);
  const double t0 = m.AxisAtPixel(py);
  ScaleAbout(x0, factor, r.m_xMin, r.m_xMax);
  double tLow = axis.Low();
  double tHigh = axis.High();
  ScaleAbout(t0, factor, tLow, tHigh);
  if (tLow != axis.Low() || tHigh != axis.High()) {
    r.m_yMin = axis.FromAxis(tLow);
    r.m_yMax = axis.FromAxis(tHigh);
  }
  Repaint();
}

void CTavView::PanBy(int dx, int dy) {
  DisplayRange& r = m_state.range;
  if ((dx == 0 && dy == 0) || !(r.m_xMin < r.m_xMax) || !(r.m_yMin < r.m_yMax)) return;
  const PlotMapping m = Mapping();
  const PlotLayout& l = m.Layout();
  const IntensityAxis& axis = m.Axis();
  const double shiftX = -dx * (r.m_xMax - r.m_xMin) / l.Width();
  const double shiftT = dy * (axis.High() - axis.Low()) / l.Height();
  if (dx != 0) {
    r.m_xMin += shiftX;
    r.m_xMax += shiftX;
  }
  if (dy != 0) {
    r.m_yMin = axis.FromAxis(axis.Low() + shiftT);
    r.m_yMax = axis.FromAxis(axis.High() + shiftT);
  }
  Repaint();
}
