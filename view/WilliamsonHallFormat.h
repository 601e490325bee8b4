#pragma once

#include <string>

#include "fit/WilliamsonHall.h"

// The Williamson–Hall result as one line of JSON without a line end:
//   {"peaks": N, "size_nm": X, "size_nm_err": X, "strain": X, "strain_err": X,
//    "reduced_chisq": X}
// numbers as the fit statistics' JSON has them; an unknown size (intercept
// <= 0) and the reduced χ² of two peaks are null.
std::string FormatWilliamsonHallJson(const WilliamsonHall& analysis);
