#pragma once

#include <vector>

// A background estimate by statistics-sensitive non-linear iterative peak
// clipping (SNIP). The counts are transformed by a double square root,
// v = √(√(y + 1) + 1), which makes their noise about equal everywhere, and
// smoothed by a moving mean over 2k + 1 points, k = max(1, round(M/6)),
// without which the clipping follows the lowest noise instead of the mean;
// then, for half-widths m = M, M − 1, …, 1 (a decreasing window), every value is
// replaced by the lower of itself and the mean of its neighbours m points
// away, each pass reading the values the previous pass left; the result is
// transformed back, y = (v² − 1)² − 1. Near the ends the windows narrow to
// the points there are; the first and last points stay as measured.

namespace snip {

// The transform and its inverse; y below −1 is taken as −1.
double Forward(double y);
double Backward(double v);

// The mean of the 2k + 1 values about each one, the window narrowed to what
// the ends hold.
std::vector<double> MovingMean(const std::vector<double>& v, int k);

// The smoothing half-width k for a largest clipping half-width of M points.
int SmoothingHalfWidth(int maxHalfWidth);

// The baseline of y (points in scan order, evenly spaced), with windows of
// half-widths up to maxHalfWidth points (at least 1; no more than the
// profile holds are used). Returns y itself for fewer than three points.
std::vector<double> Baseline(const std::vector<double>& y, int maxHalfWidth);

// The baseline (x[i], b[i]), x ascending, at x by straight lines between its
// points; at and beyond the ends, the end values. x must not be empty.
double Interpolate(const std::vector<double>& x, const std::vector<double>& b, double at);

}  // namespace snip
