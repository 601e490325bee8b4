#include "commands/Commands.h"
#include "correct/Polarization.h"
#include "view/TavView.h"

void OnPolarCorrect(CTavView& view) {
  // Applied at most once per run; later uses do nothing at all.
  if (view.Polarized() != 0) return;
  CTavDoc& doc = view.GetDocument();
  CorrectPolarization(doc.m_x.data(), doc.m_y.data(), doc.m_nData);
  view.MarkPolarized();
  view.Repaint();
}
