#pragma once

#include <pybind11/pybind11.h>

#include <vector>

#include "fit/FitProblem.h"
#include "python/FitSession.h"

// The one place where Python's keyword arguments become the fit problem.
// Each keyword is one row of a table (FitKeywords.cpp), read in the table's
// order so that the constraints find the shape's parameter names; a keyword
// the table lacks is a TypeError, a value out of its range a ValueError.
// The defaults are those of a fit from Python: pseudo-Voigt peaks, starting
// widths measured in the data, no step messages.

// The problem for peakCount placed peaks.
FitProblem FitProblemFromKeywords(const pybind11::kwargs& keywords, int peakCount);

// The names the table reads, in its order (for the documentation).
std::vector<const char*> FitKeywordNames();

// The peaks argument: a sequence of (position, height) or (position, height,
// width) sequences.
std::vector<PeakStart> PeakStartsFrom(const pybind11::handle& peaks);
