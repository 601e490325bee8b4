#include "commands/Commands.h"
#include "view/TavView.h"

bool OnRemovePeak(CTavView& view, int k) {
  if (k < 1 || k > view.Peaks().m_nPeak) return false;
  view.RemovePeak(k);
  view.Repaint();
  return true;
}
