#pragma once

#include <vector>

#include "profile/TavDoc.h"
#include "tests/support/SharedData.h"
#include "view/TavView.h"

// Loads the points into the view's document as an open does, and gives the
// view what an open leaves: the range of the points, no fit, the rubber band
// disarmed. Nothing is repainted.
inline void LoadSpectrum(CTavView& view, const std::vector<double>& x,
                         const std::vector<double>& y) {
  view.GetDocument().SetPoints(x, y);
  view.TakeLoadedProfile();
}
