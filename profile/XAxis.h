#pragma once

#include <string_view>

#include "profile/MeasuredProfile.h"

// Sets what X of a profile is from the scan axis and unit its file names:
// an empty name or one that reads as 2θ ("2-Theta", "2-Theta/Omega",
// "TwoThetaOmega", "COUPLED", ...) is 2θ; any other axis is kept by its name,
// in lower case without blanks or dashes ("phi", "chi", "omega"). The unit is
// the file's, "deg" when it names none.
void SetScanAxis(std::string_view axis, std::string_view unit, MeasuredProfile& profile);
