#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "correct/BackgroundFit.h"
#include "fit/FitProblem.h"
#include "fit/PeakReport.h"
#include "profile/Wavelengths.h"
#include "view/CalibrationState.h"
#include "view/DialogLimits.h"

// The view's state, in the groups its commands change together. Members keep
// the names the program has always given them; peak slots and width factors
// are indexed 1..kPeakCapacity (slot 0 unused); the fit problem says how many
// of them the table takes (max-peaks, 10 by default).

// The peaks the table takes unless the fit problem asks for more, and the
// most it can ever take (max-peaks).
constexpr int kMaxPeaks = 10;
constexpr int kPeakCapacity = 200;

// The rubber band's states; the numbers are those the state has always had.
enum class DragState : int { Armed = 0, Dragging = 1, Disarmed = 2 };

// The data range shown in the plot window.
struct DisplayRange {
  double m_xMin = 0.0;
  double m_xMax = 0.0;
  double m_yMin = 0.0;
  double m_yMax = 0.0;
  friend bool operator==(const DisplayRange&, const DisplayRange&) = default;
};

// Which mode the mouse is in: placing peaks, or the rubber band with its
// anchor pixel.
struct InputModes {
  int m_bPeakMode = 0;
  DragState m_dragState = DragState::Disarmed;
  int m_dragX0 = 0;
  int m_dragY0 = 0;
};

// The placed or fitted peaks and the fitted background line.
struct PeakTable {
  PeakTable() { m_widthFactor.fill(1.0); }

  int m_nPeak = 0;
  int m_curPeak = 0;
  int m_bFitted = 0;
  std::array<double, kPeakCapacity + 1> m_height{};
  std::array<double, kPeakCapacity + 1> m_position{};
  std::array<double, kPeakCapacity + 1> m_width{};
  std::array<double, kPeakCapacity + 1> m_widthFactor;
  // Whether a fit has written slot k's width (a peak appended after a fit
  // into a slot never fitted starts from the unfitted width guess).
  std::array<bool, kPeakCapacity + 1> m_widthFitted{};
  // Whether slot k was placed by the peak search: its starting width is
  // measured in the data whatever the fit options say.
  std::array<bool, kPeakCapacity + 1> m_widthFromData{};
  // The fitted shape parameter (η or m) of slot k, and the shape whose fit
  // wrote it (kNoShape: none); other shapes start from their own value.
  std::array<double, kPeakCapacity + 1> m_shapeParam{};
  // A split peak's right half: its fitted width and η (its left half's are
  // m_width and m_shapeParam), written with m_shapeParamShape.
  std::array<double, kPeakCapacity + 1> m_widthRight{};
  std::array<double, kPeakCapacity + 1> m_shapeParamRight{};
  std::array<int, kPeakCapacity + 1> m_shapeParamShape = NoShapes();
  double m_bgA = 0.0;
  double m_bgB = 0.0;
  // The background of the last fit as it was fitted: of order m_bgOrder, the
  // line in m_bgA and m_bgB, any other order's Chebyshev terms in m_bgTerms
  // over the fit's window m_bgWindowMin..m_bgWindowMax.
  int m_bgOrder = kLineBackgroundOrder;
  std::array<double, kMaxBackgroundTerms> m_bgTerms{};
  double m_bgWindowMin = 0.0;
  double m_bgWindowMax = 0.0;

  friend bool operator==(const PeakTable&, const PeakTable&) = default;

 private:
  static std::array<int, kPeakCapacity + 1> NoShapes() {
    std::array<int, kPeakCapacity + 1> shapes;
    shapes.fill(kNoShape);
    return shapes;
  }
};

// How an X-Y list is read; the column dialog shows and changes them.
struct ReadingSettings {
  int m_xColumn = 1;
  int m_yColumn = 2;
  int m_skipLines = 0;
  int m_lastLine = limits::kLastLineMax;
  friend bool operator==(const ReadingSettings&, const ReadingSettings&) = default;
};

// Which background estimate the layer shows.
enum class BackgroundKind : int { kCubic = 0, kSnip = 1 };

// The background estimate's layer: the clipped bins and the baseline.
struct BackgroundLayer {
  int NBin() const { return static_cast<int>(m_binX.size()); }

  int m_bBackShown = 0;
  std::vector<double> m_binX;
  std::vector<double> m_binY;
  bgfit::Coefficients m_bgCoef{};
  // Whether any estimate has computed m_bgCoef yet (no baseline before that).
  bool m_bgCoefSet = false;
  // The X range the baseline was estimated over (the display range then):
  // outside it the cubic describes nothing.
  double m_spanMin = 0.0;
  double m_spanMax = 0.0;
  // The document's PointsFingerprint when m_bgCoef was estimated: a baseline
  // of other intensities than the present ones is not to be subtracted.
  std::uint64_t m_pointsFingerprint = 0;
  // The cubic through the bins (the default), or the SNIP baseline: its
  // values at the points of the span it was estimated over, X ascending.
  BackgroundKind m_kind = BackgroundKind::kCubic;
  std::vector<double> m_snipX;
  std::vector<double> m_snipY;
  friend bool operator==(const BackgroundLayer&, const BackgroundLayer&) = default;
};

// The Scherrer equation's constant and the instrument's own FWHM (degrees 2θ),
// which the crystallite sizes of a peak report use.
struct ScherrerSettings {
  double m_k = 0.9;
  double m_instrumentalFwhm = 0.0;
  friend bool operator==(const ScherrerSettings&, const ScherrerSettings&) = default;
};

// Everything the view holds besides the document.
struct ViewState {
  DisplayRange range;
  InputModes modes;
  PeakTable peaks;
  ReadingSettings reading;
  BackgroundLayer background;
  int m_bPolarized = 0;
  ScherrerSettings scherrer;
  // The wavelengths a profile takes when its file states none; unset (the
  // default) leaves such a profile without any.
  std::optional<Wavelengths> defaultWavelengths;
  // The shape, tolerance and options of the fit.
  FitProblem fit;
  // The report of the fit on screen; none before a fit and once the peaks no
  // longer are those the fit gave.
  std::optional<PeakReport> report;
  // The instrument's calibration and the phase (nothing changes until used).
  CalibrationState calibration;
};
