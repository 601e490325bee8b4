#pragma once

#include <string>
#include <vector>

class CTavView;

// The hkl label of each placed peak k = 1..n (index k − 1) for the session's
// phase: the reflection whose Bragg angle is nearest its position (less the
// refined zero shift and displacement while the correction is on), "" where
// none is near, "?" where two are. Empty without a phase or a wavelength.
std::vector<std::string> HklLabelsOfPeaks(const CTavView& view);
