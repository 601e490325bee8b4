#pragma once

#include <optional>
#include <vector>

// Finds the peaks of a measured profile: the profile is smoothed with a
// Savitzky–Golay filter about as wide as its peaks, each local maximum of the
// smoothed profile is measured against the local background beside it, and
// the maxima that stand out of the counting noise are kept, one per
// resolution limit, strongest first.

struct PeakSearch {
  // A maximum must rise above its local background by this many standard
  // deviations of counting noise, √y at its top.
  double signalToNoise = 3.0;
  // At most this many peaks are returned.
  int maxPeaks = 10;
  // Positions (degrees 2θ) of peaks already there: a maximum within the
  // resolution limit of one is not a new peak.
  std::vector<double> taken;
  // λ2/λ1 while peaks are Kα1/Kα2 doublets: a maximum at the Kα2 position of
  // a stronger peak (found or taken) is that peak's shoulder, not a peak.
  std::optional<double> kalpha2WavelengthRatio;
};

struct FoundPeak {
  double position = 0.0;    // the smoothed maximum, between data points
  double height = 0.0;      // the smoothed profile at its top
  double prominence = 0.0;  // above the local background
};

// The Savitzky–Golay smoothing (quadratic, 2·halfWidth + 1 points) of y;
// near the ends the window narrows to what the data hold.
std::vector<double> SmoothSavitzkyGolay(const std::vector<double>& y, int halfWidth);

// The peaks of the points (x[i], y[i]), i = 0..n−1 in the order of a scan
// (x ascending or descending, even steps), strongest (most prominent) first.
// Empty for fewer than five points.
std::vector<FoundPeak> FindPeaks(const std::vector<double>& x, const std::vector<double>& y,
                                 const PeakSearch& search);
