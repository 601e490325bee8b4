#include <cmath>

#include "commands/Commands.h"
#include "correct/Polarization.h"
#include "view/TavView.h"

void OnPolarCorrect(CTavView& view) {
  // Applied at most once per run; later uses do nothing at all.
  if (view.Polarized() != 0) return;
  CTavDoc& doc = view.GetDocument();
  doc.KeepCountingSigma();
  CorrectPolarization(doc.m_x.data(), doc.m_y.data(), doc.m_nData);
  // The uncertainties scale with the intensities (by the divisor's size).
  if (!doc.m_sigma.empty()) {
    CorrectPolarization(doc.m_x.data(), doc.m_sigma.data(), doc.m_nData);
    for (double& sigma : doc.m_sigma) sigma = std::fabs(sigma);
  }
  if (!doc.m_countSigma.empty()) {
    CorrectPolarization(doc.m_x.data(), doc.m_countSigma.data(), doc.m_nData);
    for (double& sigma : doc.m_countSigma) sigma = std::fabs(sigma);
  }
  view.MarkPolarized();
  view.Repaint();
}
