#include <vector>

#include "correct/BackgroundFit.h"
#include "view/Canvas.h"
#include "view/Host.h"
#include "view/TavView.h"

void CTavView::OnBackRemove() {
  m_bBackShown = 1;

  std::vector<double> cx;
  std::vector<double> cy;
  for (const int i : FitWindow()) {
    cx.push_back(m_doc.m_x[i]);
    cy.push_back(m_doc.m_y[i]);
  }

  bgfit::MakeBins(cx, cy, m_binX, m_binY);
  m_nBin = static_cast<int>(m_binX.size());
  bgfit::ClipBins(m_binY);

  // Too few points for a bin: the coefficients already held stay.
  if (m_nBin > 0) {
    const bgfit::CubicFit fit = bgfit::FitCubic(m_binX, m_binY);
    if (fit.zeroPivot) {
      m_host.MessageBox("これはだめです");
      m_bBackShown = 0;
    }
    m_bgCoef = fit.coef;
    m_bgCoefSet = true;
  }
  Repaint();
}

void CTavView::DrawBackgroundEstimate(Canvas& dc) const {
  if (m_bBackShown != 1) return;
  // A range of zero width or height has no pixel scale: draw nothing that
  // would need one.
  const bool hasWidth = m_xMax != m_xMin;
  const bool hasHeight = m_yMax != m_yMin;

  if (hasWidth && hasHeight) {
    // Bins are not tested against the X range: they keep their places in
    // data units when the range changes after the estimate.
    for (int r = 0; r < m_nBin; ++r) {
      const int px = XToPixel(m_binX[r]);
      if (m_yMin <= m_binY[r] && m_binY[r] <= m_yMax) dc.SetPixel(px, YToPixel(m_binY[r]), colors::kRed);
    }
  }

  // The baseline has no Y-range test: where it leaves the range it is drawn
  // above or below the plot window.
  if (m_bgCoefSet && hasHeight) {
    for (int s = 0; s < kSamples; ++s) {
      const double v = bgfit::BaselineAt(m_bgCoef, SampleX(s));
      dc.SetPixel(kPlotLeft + s, YToPixel(v), colors::kBlack);
    }
  }
}
