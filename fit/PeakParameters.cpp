#include "fit/PeakParameters.h"

#include "view/TavView.h"

void FillFittedParameters(const CTavView& v, double a[]) {
  const int n = v.m_nPeak;
  for (int k = 1; k <= n; ++k) {
    a[3 * k - 2] = v.m_height[k];
    a[3 * k - 1] = v.m_position[k];
    a[3 * k] = v.m_width[k];
  }
  a[3 * n + 1] = v.m_bgA;
  a[3 * n + 2] = v.m_bgB;
}

void FillPlacedParameters(const CTavView& v, double y0, double a[]) {
  const int n = v.m_nPeak;
  for (int k = 1; k <= n; ++k) {
    a[3 * k - 2] = v.m_height[k] - y0;
    a[3 * k - 1] = v.m_position[k];
    a[3 * k] = (v.m_xMax - v.m_xMin) * v.m_widthFactor[k] / 10;
  }
  a[3 * n + 1] = 0.0;
  a[3 * n + 2] = y0;
}
