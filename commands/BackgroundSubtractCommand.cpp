#include "commands/Commands.h"
#include "correct/BackgroundFit.h"
#include "view/TavView.h"

bool IsBackSubtractEnabled(const CTavView& view) {
  return view.Background().m_bgCoefSet && view.GetDocument().m_nData > 0;
}

void OnBackSubtract(CTavView& view) {
  if (!IsBackSubtractEnabled(view)) return;
  CTavDoc& doc = view.GetDocument();
  const bgfit::Coefficients coef = view.Background().m_bgCoef;
  for (int i = 1; i <= doc.m_nData; ++i) doc.m_y[i] -= bgfit::BaselineAt(coef, doc.m_x[i]);
  view.MarkBackgroundSubtracted();
  view.Repaint();
}
