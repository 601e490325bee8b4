#pragma once

#include <string>
#include <vector>

#include "fit/Caglioti.h"
#include "fit/LatticeRefinement.h"

// The calibration's results as one line of JSON each (no line end), numbers
// as the fit statistics' JSON has them (not finite: null).

// {"peaks": [{"index": 1, "position": X, "position_err": X, "fwhm": X,
//   "fwhm_err": X, "shape": "pvoigt", "shape_param": X|null,
//   "shape_param_err": X|null}, ...]}
std::string FormatCalibrationSetJson(const std::vector<CalibrationPeak>& peaks);

// {"U": X, "V": X, "W": X, "U_err": X, "V_err": X, "W_err": X,
//  "covariance": [[UU, UV, UW], ...], "range": [MIN, MAX], "peaks": N,
//  "reduced_chisq": X, "mixing": null | {"shape": "pvoigt", "form":
//  "intercept + slope * 2theta", "intercept": X, "slope": X,
//  "intercept_err": X, "slope_err": X}}
std::string FormatResolutionJson(const ResolutionFunction& f);

// A peak of the set or the fit that was not indexed: near two reflections
// (their labels), or near none.
struct UnindexedPeak {
  int peak = 0;
  double twoTheta = 0.0;
  std::vector<std::string> candidates;  // empty: near none
};

// {"system": "cubic", "centring": "F", "a": X, "a_err": X, ...,
//  "zero": X, "zero_err": X|null, "displacement_mm": X,
//  "displacement_mm_err": X|null, "parameters": ["a", "zero"],
//  "correlation": [[1, r], [r, 1]], "peaks": N, "chisq": X,
//  "reduced_chisq": X, "reflections": [{"peak": K, "hkl": "111",
//  "observed": X, "calculated": X, "residual": X}, ...],
//  "ambiguous": [{"peak": K, "two_theta": X, "hkl": ["300/221", ...]}],
//  "unindexed": [{"peak": K, "two_theta": X}]}
std::string FormatLatticeRefinementJson(const LatticeRefinement& r,
                                        const std::vector<UnindexedPeak>& unindexed);
