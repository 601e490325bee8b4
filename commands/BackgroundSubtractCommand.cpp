#include "commands/Commands.h"
#include "correct/BackgroundFit.h"
#include "correct/Snip.h"
#include "text/Translate.h"
#include "view/Host.h"
#include "view/TavView.h"

namespace {

// The baseline shown at x: the cubic's, or the SNIP estimate's.
double ShownBaselineAt(const BackgroundLayer& b, double x) {
  if (b.m_kind == BackgroundKind::kSnip) return snip::Interpolate(b.m_snipX, b.m_snipY, x);
  return bgfit::BaselineAt(b.m_bgCoef, x);
}

}  // namespace

bool IsBackSubtractEnabled(const CTavView& view) {
  const BackgroundLayer& b = view.Background();
  if (b.m_bBackShown != 1 || view.GetDocument().m_nData <= 0) return false;
  if (b.m_kind == BackgroundKind::kSnip) return !b.m_snipX.empty();
  return b.m_bgCoefSet && b.NBin() > 0;
}

void OnBackSubtract(CTavView& view) {
  if (!IsBackSubtractEnabled(view)) return;
  CTavDoc& doc = view.GetDocument();
  const BackgroundLayer& b = view.Background();
  // The intensities changed since the estimate (a correction, an open, an
  // undo): its baseline belongs to other data.
  if (b.m_pointsFingerprint != doc.PointsFingerprint()) {
    return view.GetHost().ReportFailure(Translated(QT_TRANSLATE_NOOP(
        "tav",
        "強度がバックグラウンドの推定のあとで変わっています。推定し直してから差し引いてください")));
  }
  // The counts' σ stay those of the counts measured.
  doc.KeepCountingSigma();
  // Only where the baseline was estimated: beyond that span the cubic runs
  // away and would wreck the rest of the profile.
  for (int i = 1; i <= doc.m_nData; ++i) {
    const double x = doc.m_x[i];
    if (b.m_spanMin <= x && x <= b.m_spanMax) doc.m_y[i] -= ShownBaselineAt(b, x);
  }
  view.MarkBackgroundSubtracted();
  view.Repaint();
}
