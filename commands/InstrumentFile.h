#pragma once

#include <string>

#include "view/CalibrationState.h"

// The instrument file: a resolution function as a small JSON object,
//
//   {
//     "format": "tav-instrument",
//     "version": 1,
//     "standard": "LaB6 SRM 660c",
//     "date": "2024-05-01T12:00:00Z",
//     "wavelength": 1.5405929,
//     "U": ..., "V": ..., "W": ...,
//     "covariance": [[UU, UV, UW], [VU, VV, VW], [WU, WV, WW]],
//     "range": [MIN_2THETA, MAX_2THETA],
//     "peaks": N,
//     "reduced_chisq": X,
//     "mixing": null | {"shape": "pvoigt", "intercept": X, "slope": X,
//                       "covariance": [[II, IS], [SI, SS]]}
//   }
//
// FWHM² = U·tan²θ + V·tanθ + W in degrees² of 2θ; the mixing line gives η
// (or m) = intercept + slope·2θ. Numbers are written so that they read back
// exactly; an unknown number (the wavelength, the reduced χ² of three peaks)
// is null. Reading and writing again gives the same file.

std::string FormatInstrumentFile(const InstrumentFunction& instrument);

// The instrument function of a file's text; false with a reason (English, for
// the message that quotes it) when the text is not such a file.
bool ParseInstrumentFile(const std::string& text, InstrumentFunction& instrument,
                         std::string& error);
