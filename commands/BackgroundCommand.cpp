#include <vector>

#include "commands/Commands.h"
#include "correct/BackgroundFit.h"
#include "text/Translate.h"
#include "view/Host.h"
#include "view/TavView.h"

void OnBackRemove(CTavView& view) {
  const CTavDoc& doc = view.GetDocument();
  std::vector<double> cx;
  std::vector<double> cy;
  for (const int i : view.FitWindow()) {
    cx.push_back(doc.m_x[i]);
    cy.push_back(doc.m_y[i]);
  }
  std::vector<double> binX;
  std::vector<double> binY;
  bgfit::MakeBins(cx, cy, binX, binY);
  bgfit::ClipBins(binY);
  view.ShowBackgroundBins(binX, binY);

  // Too few points for a bin: the coefficients already held stay.
  if (!binX.empty()) {
    const bgfit::CubicFit fit = bgfit::FitCubic(binX, binY);
    if (fit.zeroPivot) {
      view.GetHost().ReportFailure(Translated(QT_TRANSLATE_NOOP("tav", "これはだめです")));
      view.HideBackgroundEstimate();
    }
    view.SetBaseline(fit.coef);
    view.SetBaselineSpan(view.Range().m_xMin, view.Range().m_xMax);
  }
  view.Repaint();
}
