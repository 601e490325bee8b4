#include "view/PeakParameters.h"

#include "view/TavView.h"

int ParameterCount(const CTavView& v) { return 3 * v.Peaks().m_nPeak + 2; }

void FillFittedParameters(const CTavView& v, double a[]) {
  const PeakTable& t = v.Peaks();
  const int n = t.m_nPeak;
  for (int k = 1; k <= n; ++k) {
    a[3 * k - 2] = t.m_height[k];
    a[3 * k - 1] = t.m_position[k];
    a[3 * k] = t.m_width[k];
  }
  a[3 * n + 1] = t.m_bgA;
  a[3 * n + 2] = t.m_bgB;
}

void FillPlacedParameters(const CTavView& v, double y0, double a[]) {
  const PeakTable& t = v.Peaks();
  const int n = t.m_nPeak;
  for (int k = 1; k <= n; ++k) {
    a[3 * k - 2] = t.m_height[k] - y0;
    a[3 * k - 1] = t.m_position[k];
    a[3 * k] = PlacedWidth(v, k);
  }
  a[3 * n + 1] = 0.0;
  a[3 * n + 2] = y0;
}

double PlacedWidth(const CTavView& v, int k) {
  const DisplayRange& r = v.Range();
  return (r.m_xMax - r.m_xMin) * v.Peaks().m_widthFactor[k] / 10;
}
