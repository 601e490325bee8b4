#include <cmath>

#include "view/TavView.h"

void CTavView::OnPolarCorrect() {
  // Applied at most once per run; later uses do nothing at all.
  if (m_bPolarized != 0) return;
  m_bPolarized = 1;

  for (int i = 1; i <= m_doc.m_nData; ++i) {
    // X in degrees taken whole as the angle, with the program's constant.
    const double a = m_doc.m_x[i] * 3.14159 / 180.0;
    const double u = std::cos(a);
    const double divisor = (u * u + 3.0) / u;
    m_doc.m_y[i] = m_doc.m_y[i] / divisor;
  }

  // With no spectrum there are no extremes to take: the range stays.
  if (m_doc.m_nData > 0) {
    m_doc.ComputeYExtremes();
    m_yMin = m_doc.m_yMin;
    m_yMax = m_doc.m_yMax;
  }
  Repaint();
}
