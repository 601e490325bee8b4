#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fit/Lattice.h"
#include "fit/WeightedLeastSquares.h"

// The refinement of a cell from indexed peak positions, with a zero shift and
// a specimen displacement if asked:
//
//   2θ_obs = 2θ_Bragg(d_hkl(cell), λ) + zero − (2·s·cos θ / R)·(180/π)
//
// zero in degrees 2θ, s the specimen displacement in mm (positive: the
// specimen above the focusing circle, peaks move to lower angles) and R the
// goniometer radius in mm; the displacement term holds for Bragg–Brentano
// geometry. Weighted least squares (weights 1/σ² of the positions), by
// Gauss–Newton steps from the starting cell until the changes are a
// ten-thousandth of the uncertainties.

struct IndexedPeak {
  int peak = 0;  // the peak's number in whatever it came from (1..n)
  double twoTheta = 0.0;
  double twoThetaError = 0.0;
  Reflection reflection;
};

struct RefinementOptions {
  bool zero = false;
  bool displacement = false;
  double radiusMm = 0.0;  // needed for the displacement
};

struct ReflectionResidual {
  int peak = 0;
  std::string hkl;
  double observed = 0.0;    // degrees 2θ
  double calculated = 0.0;  // with the refined zero and displacement
  double residual = 0.0;    // observed − calculated
};

struct LatticeRefinement {
  UnitCell cell;
  std::vector<double> cellErrors;  // of CellParameters(cell)
  double zero = 0.0;               // degrees 2θ
  double zeroError = 0.0;          // NaN when not refined
  double displacementMm = 0.0;
  double displacementError = 0.0;  // NaN when not refined
  // The names of the refined parameters ("a", "c", "zero", "displacement")
  // and their correlation matrix.
  std::vector<std::string> names;
  Matrix correlation;
  double chisq = 0.0;
  double reducedChisq = 0.0;  // NaN when the peaks are as many as the parameters
  std::vector<ReflectionResidual> residuals;
};

struct LatticeRefinementResult {
  std::optional<LatticeRefinement> refinement;
  std::string refusal;  // translated, when there is none
};

// Refines the cell's lengths (and zero, displacement) from the peaks. Refused
// with fewer peaks than parameters, without a wavelength, a displacement
// without a radius, or a singular or diverging fit. The covariance is scaled
// by the reduced χ² when it exceeds 1.
LatticeRefinementResult RefineLattice(const UnitCell& start, const std::vector<IndexedPeak>& peaks,
                                      double wavelength, const RefinementOptions& options);

// A zero shift and specimen displacement found by a refinement.
struct PositionCorrection {
  double zero = 0.0;            // degrees 2θ
  double displacementMm = 0.0;  // specimen displacement
  double radiusMm = 0.0;        // the goniometer radius it was refined with (0: none)

  // How far they move a peak at 2θ (degrees): zero − (2·s·cos θ / R)·(180/π).
  double ShiftAt(double twoTheta) const;
  // The derivative of ShiftAt by 2θ: (s/R)·sin θ.
  double ShiftSlopeAt(double twoTheta) const;
  friend bool operator==(const PositionCorrection&, const PositionCorrection&) = default;
};
