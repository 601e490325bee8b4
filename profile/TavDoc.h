#pragma once

#include <climits>
#include <vector>

#include "profile/Wavelengths.h"

// The loaded profile: m_nData points, X and Y indexed from 1 (slot 0 unused).
// The arrays grow with the profile; there is no fixed capacity.
class CTavDoc {
 public:
  // The most points the document holds: the point indices 1..m_nData, and
  // the loops that run one past the last of them, stay within int.
  static constexpr int kMaxPoints = INT_MAX - 1;

  CTavDoc();

  // Makes room for points 1..n in both arrays, keeping what they hold.
  void Reserve(int n);
  // Replaces the profile with the points (x[i], y[i]) of two arrays of equal
  // length; start, step and stop become the first X, the difference of the
  // first two and the last X (kept as they were when there are no points).
  // More than kMaxPoints points: std::length_error, nothing changed.
  void SetPoints(const std::vector<double>& x, const std::vector<double>& y);
  // Replaces the profile with the first n counts, at the abscissae
  // (i - 1) * m_step + m_start of the current start and step. More than
  // kMaxPoints: std::length_error, nothing changed.
  void SetCounts(const std::vector<double>& counts, int n);
  // Sets m_yMax and m_yMin to the extremes of m_y[1..m_nData] (m_nData > 0),
  // starting from m_y[1] and scanning in index order.
  void ComputeYExtremes();
  // Replaces the wavelengths, noting where they came from; with none known
  // the source is kNone whatever is given.
  void SetWavelengths(const Wavelengths& wavelengths, WavelengthSource source);

  int m_nData = 0;
  std::vector<double> m_x;
  std::vector<double> m_y;
  double m_yMax = 0.0;
  double m_yMin = 0.0;
  double m_start = 0.0;
  double m_step = 0.0;
  double m_stop = 0.0;
  // The X-ray wavelengths of the open profile: λ1 and λ2 in ångström and the
  // Kα2/Kα1 intensity ratio. Nothing set means unknown: d-spacings and
  // crystallite sizes then stay unknown instead of assuming an anode.
  Wavelengths m_wavelengths;
  WavelengthSource m_wavelengthSource = WavelengthSource::kNone;
};
