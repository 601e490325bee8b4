#pragma once

#include <optional>
#include <vector>

// The half width at half maximum of the peak at a position in measured
// points (x[i], y[i]), i = 0..n−1, in the order of a scan (x ascending or
// descending). Heights are taken above the straight line through the first
// and last points; the peak's top is the local maximum reached uphill from
// the point nearest the position. From the top the half maximum is sought on
// either side, interpolated between the two points that straddle it. With
// both sides found the result is half their distance, with one side that
// side's distance. Empty when the peak does not rise above the line, no side
// falls to half of it, or there are fewer than three points.
std::optional<double> MeasureHalfWidth(const std::vector<double>& x, const std::vector<double>& y,
                                       double position);
