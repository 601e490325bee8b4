#pragma once

#include "fit/PeakFinder.h"
#include "fit/WilliamsonHall.h"

class CTavView;

// The commands that look at the peaks as a whole: the peak search and the
// Williamson–Hall analysis of the fit on screen.

// Peaks can be searched for while a profile is open and the table has room.
bool IsFindPeaksEnabled(const CTavView& view);

// Finds the peaks of the data in the display range and places up to
// maxPeaks of them, strongest first, in the table's free slots as a
// double-click would (in any mode), each starting from the half width
// measured in the data. Peaks already placed stay, and no peak is placed
// within the resolution limit of one of them; while the Kα1/Kα2 doublet is
// on, a Kα2 line is not a peak of its own. Says so when none is found.
// Returns how many were placed.
int OnFindPeaks(CTavView& view, int maxPeaks = 10, double signalToNoise = 3.0);

// The Williamson–Hall analysis of the report of the fit on screen with the
// report's settings; empty before a fit and once the peaks change.
std::optional<WilliamsonHall> WilliamsonHallOf(const CTavView& view, BreadthMeasure measure);
