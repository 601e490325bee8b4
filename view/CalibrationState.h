#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fit/Caglioti.h"
#include "fit/Lattice.h"
#include "fit/LatticeRefinement.h"

// The instrument's calibration in a session: the standard's peaks collected
// over several fits, the resolution function fitted to them or read from a
// file, the goniometer, the phase whose reflections index the peaks and the
// zero shift and displacement its refinement found, and the peaks left out of
// the Williamson–Hall line. Nothing here changes a result until its command
// is used.

// The instrument file's content: the resolution function, λ it was measured
// with, the standard's name and the date of the calibration.
struct InstrumentFunction {
  ResolutionFunction resolution;
  std::optional<double> wavelength;  // Å
  std::string standard;
  std::string date;  // ISO 8601, when it was fitted
  friend bool operator==(const InstrumentFunction&, const InstrumentFunction&) = default;
};

struct CalibrationState {
  std::vector<CalibrationPeak> peaks;
  std::optional<InstrumentFunction> instrument;
  // The file the instrument function was saved to or read from ("" while
  // it is only in the session).
  std::string instrumentPath;
  // Scherrer and Williamson–Hall take the instrumental FWHM from it.
  bool useInstrument = false;
  std::optional<double> goniometerRadiusMm;
  std::optional<UnitCell> phase;
  // The zero shift and displacement of the last refinement, and whether the
  // d-spacings are taken from positions corrected by them.
  std::optional<PositionCorrection> correction;
  bool correctPositions = false;
  // Peak numbers (1..n) the user left out of the Williamson–Hall line, and
  // those taken back in although they have no hkl of the phase.
  std::vector<int> williamsonHallExcluded;
  std::vector<int> williamsonHallIncluded;
  friend bool operator==(const CalibrationState&, const CalibrationState&) = default;
};
