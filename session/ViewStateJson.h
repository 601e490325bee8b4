#pragma once

// The view's state and plot options as the "view" and "plot" parts of a
// session file, and back. Decoding refuses, naming the key, whatever the
// view could not hold (a peak count over the capacity, an unknown shape, a
// value that is not a finite number where one is needed).

#include "session/JsonFields.h"
#include "view/PlotOptions.h"
#include "view/ViewState.h"

Json ViewStateJson(const ViewState& state);
ViewState ViewStateOf(const Field& json);

Json PlotOptionsJson(const PlotOptions& plot);
PlotOptions PlotOptionsOf(const Field& json);

Json WavelengthsJson(const Wavelengths& wavelengths);
Wavelengths WavelengthsOf(const Field& json);
