#pragma once

#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "profile/ProfileFormat.h"
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
  // No uncertainties go with them. More than kMaxPoints points:
  // std::length_error, nothing changed.
  void SetPoints(const std::vector<double>& x, const std::vector<double>& y);
  // Replaces the profile with the first n counts, at the abscissae
  // (i - 1) * m_step + m_start of the current start and step, without
  // uncertainties. More than kMaxPoints: std::length_error, nothing changed.
  void SetCounts(const std::vector<double>& counts, int n);
  // Sets m_yMax and m_yMin to the extremes of m_y[1..m_nData] (m_nData > 0),
  // starting from m_y[1] and scanning in index order.
  void ComputeYExtremes();
  // Replaces the wavelengths, noting where they came from; with none known
  // the source is kNone whatever is given.
  void SetWavelengths(const Wavelengths& wavelengths, WavelengthSource source);
  // Records where the profile just stored came from: its format, the path it
  // was opened by and the sample name the file gives (none for RINT and X-Y).
  // The scan read becomes 1 of 1 and X 2θ in degrees until said otherwise.
  void SetOrigin(ProfileFormat format, const std::string& path, std::optional<std::string> sample);
  // Which scan (from 1) of how many in the file the profile is.
  void SetScan(int scan, int scans);
  // What X is: "2theta" in "deg", "q" in "1/angstrom" or "1/nm", or another
  // axis the file names.
  void SetXAxis(const std::string& quantity, const std::string& unit);
  // Whether X is 2θ, from which d-spacings and sizes follow.
  bool XIsTwoTheta() const { return m_xQuantity == "2theta"; }
  // The standard uncertainties of the points just stored (1-based like m_y),
  // or none: anything but m_nData of them leaves m_sigma empty.
  void SetUncertainties(const std::vector<double>& sigma);
  // A digest of the points (their count and the bits of every X and Y): what
  // was computed from the points holds for them while the digest is the same.
  std::uint64_t PointsFingerprint() const;
  // The factor each raw count of the points just stored was multiplied by
  // (attenuation), 0-based, one a point: the counting σ becomes
  // factor·√(N + 1) of the raw count N = y / factor. Anything but m_nData
  // factors leaves them unknown.
  void SetCountFactors(const std::vector<double>& factors);
  // The standard deviation of intensity i by counting statistics: as set by
  // the factors or kept by KeepCountingSigma, else √(y + 1) of the intensity
  // (y taken as at least 0).
  double CountingSigma(int i) const;
  // Fixes the counting σ of every point from the intensities now, before a
  // correction changes them (a subtraction keeps them; a scaling scales
  // m_countSigma with the intensities).
  void KeepCountingSigma();
  // Notes that the points now held are those just read from m_path: an X-Y
  // list after skipLines lines up to lastLine (0: to its end, and for every
  // other format). A saved session reads them again from the file while
  // PointsAsRead() holds, instead of keeping them.
  void NoteReadFromFile(int skipLines, int lastLine);
  // Whether the points are still those read from m_path (no correction has
  // changed them since).
  bool PointsAsRead() const;

  int m_nData = 0;
  std::vector<double> m_x;
  std::vector<double> m_y;
  double m_yMax = 0.0;
  double m_yMin = 0.0;
  double m_start = 0.0;
  double m_step = 0.0;
  double m_stop = 0.0;
  // The file the profile was read from: its format (none before the first
  // open), the path and the sample name it gives.
  std::optional<ProfileFormat> m_format;
  std::string m_path;
  std::optional<std::string> m_sample;
  // When the scan began, in seconds since 1970-01-01 00:00 (see
  // MeasurementTime.h), when the file states it.
  std::optional<double> m_startTime;
  // The scan read, from 1, of how many the file holds; what X is.
  int m_scan = 1;
  int m_scans = 1;
  std::string m_xQuantity = "2theta";
  std::string m_xUnit = "deg";
  // The standard uncertainty of each intensity, 1-based like m_y, when the
  // file gives them (the third column of an XYE file); otherwise empty.
  std::vector<double> m_sigma;
  // The counting σ of each intensity, 1-based like m_y, once known apart
  // from the intensities themselves (attenuated counts, or corrected
  // intensities); otherwise empty and taken from m_y.
  std::vector<double> m_countSigma;
  // The X-ray wavelengths of the open profile: λ1 and λ2 in ångström and the
  // Kα2/Kα1 intensity ratio. Nothing set means unknown: d-spacings and
  // crystallite sizes then stay unknown instead of assuming an anode.
  Wavelengths m_wavelengths;
  WavelengthSource m_wavelengthSource = WavelengthSource::kNone;
  // How the points were read (NoteReadFromFile), and their digest then.
  struct ReadRecipe {
    int skipLines = 0;
    int lastLine = 0;
    std::uint64_t fingerprint = 0;
    bool known = false;
    friend bool operator==(const ReadRecipe&, const ReadRecipe&) = default;
  };
  ReadRecipe m_asRead;
};
