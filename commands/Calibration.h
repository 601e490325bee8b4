#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fit/LatticeRefinement.h"
#include "fit/WilliamsonHall.h"
#include "view/CalibrationLabels.h"
#include "view/CalibrationState.h"

class CTavView;

// The calibration commands: the set of a standard's fitted peaks, the
// instrument resolution function fitted to it (saved, loaded and used by
// Scherrer and Williamson–Hall), the phase whose reflections index peaks,
// the refinement of its cell with a zero shift and a specimen displacement,
// and the peaks left out of the Williamson–Hall line. A refusal is a message
// and changes nothing.

// Adds the peaks of the fit on screen (those with a known position, FWHM and
// their uncertainties) to the calibration set. Returns how many were added;
// refused (0) before a fit and once the peaks change.
int AddFitToCalibration(CTavView& view);
// Removes peak index (1..n) of the set; false (with a message) for no such peak.
bool RemoveCalibrationPeak(CTavView& view, int index);
void ClearCalibration(CTavView& view);

// Fits the resolution function to the set; it becomes the session's
// instrument function (not yet in a file, not yet used unless use was on).
std::optional<ResolutionFunction> FitInstrumentFunction(CTavView& view);
// Writes the session's instrument function to path; false with a message
// when there is none or the file cannot be written.
bool SaveInstrumentFunction(CTavView& view, const std::string& path);
// Reads an instrument function from path; it replaces the session's. False
// with a message (nothing changed) when the file cannot be read or is not one.
bool LoadInstrumentFunction(CTavView& view, const std::string& path);
// Scherrer and Williamson–Hall take the instrumental FWHM from the function
// (on) or the single value (off); on is refused without a function. The
// report of the fit on screen follows.
bool SetInstrumentUse(CTavView& view, bool on);

// The goniometer radius in mm (unset: none), needed for the displacement.
void SetGoniometerRadius(CTavView& view, std::optional<double> radiusMm);
// The phase's approximate cell and centring; a new phase drops the zero
// shift and displacement of the last refinement.
void SetPhase(CTavView& view, const UnitCell& cell);

// A peak of the calibration set (or, while it is empty, of the fit on screen)
// and the reflection found for it.
struct IndexedPosition {
  int peak = 0;  // 1..n of the set or of the fit
  double twoTheta = 0.0;
  double twoThetaError = 0.0;
  HklAssignment assignment;
};
// Indexes the peaks with the phase (positions less the last refinement's
// zero shift and displacement); empty without a phase or a wavelength.
std::vector<IndexedPosition> IndexPeaks(const CTavView& view);

// Refines the phase's cell (and zero shift, displacement) from the assigned
// peaks; the refined cell becomes the phase's and the zero shift and
// displacement are kept for the correction. Refusals are messages.
std::optional<LatticeRefinement> RefinePhase(CTavView& view, bool zero, bool displacement);
// d-spacings from positions corrected by the refined zero shift and
// displacement (on), or as measured (off); on is refused without them.
bool SetPositionCorrection(CTavView& view, bool on);

// Leaves peaks (1..n of the fit) out of the Williamson–Hall line, or takes
// them back in; false with a message for a number outside 1..n.
bool SetWilliamsonHallExcluded(CTavView& view, const std::vector<int>& peaks, bool excluded);
// Whether peak k is left out: the user said so, or a phase is set and the
// peak has no hkl (unless the user took it back in).
bool IsExcludedFromWilliamsonHall(const CTavView& view, int peak);
// The Williamson–Hall analysis of the fit on screen without the left-out
// peaks (a note names each).
WilliamsonHall AnalyseWilliamsonHallOf(const CTavView& view, const PeakReport& report,
                                       BreadthMeasure measure);
