#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "fit/Lattice.h"
#include "fit/LatticeRefinement.h"

namespace {

constexpr double kPi = std::numbers::pi;

// Observed 2θ of d for a Bragg–Brentano goniometer with a zero error and a
// specimen displaced by s from the focusing circle (written out here, not
// taken from the refinement).
double Observed(double d, double lambda, double zero, double sMm, double radiusMm) {
  const double theta = std::asin(lambda / (2.0 * d));
  return 2.0 * theta * 180.0 / kPi + zero - 2.0 * sMm * std::cos(theta) / radiusMm * 180.0 / kPi;
}

struct Synthetic {
  UnitCell cell{CrystalSystem::kCubic, Centring::kF, 5.4309, 5.4309, 5.4309};
  double lambda = 1.5406, zero = -0.02, sMm = 0.15, radiusMm = 217.5, sigma = 0.002;

  // Every reflection of the F cell up to 2θ 140°, each position with seeded
  // noise of σ.
  std::vector<IndexedPeak> Peaks() const {
    std::mt19937 random(2024);
    std::normal_distribution<double> noise(0.0, sigma);
    std::vector<IndexedPeak> peaks;
    int k = 0;
    for (const Reflection& r : ListReflections(cell, lambda / (2.0 * std::sin(70.0 * kPi / 180)))) {
      const double d = cell.a / std::sqrt(r.terms[0]);
      peaks.push_back({++k, Observed(d, lambda, zero, sMm, radiusMm) + noise(random), sigma, r});
    }
    return peaks;
  }
};

double Correlation(const LatticeRefinement& r, const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  for (std::size_t k = 0; k < r.names.size(); ++k) {
    if (r.names[k] == a) i = k;
    if (r.names[k] == b) j = k;
  }
  return r.correlation[i][j];
}

TEST(LatticeRefinement, RecoversADisplacementWithItsCorrelationToTheCell) {
  const Synthetic truth;
  const std::vector<IndexedPeak> peaks = truth.Peaks();
  ASSERT_GE(peaks.size(), 10u);
  UnitCell start = truth.cell;
  start.a = start.b = start.c = 5.43;
  RefinementOptions options;
  options.displacement = true;
  options.radiusMm = truth.radiusMm;

  // Displacement alone, where the data have no zero error.
  Synthetic noZero = truth;
  noZero.zero = 0.0;
  const LatticeRefinementResult alone = RefineLattice(start, noZero.Peaks(), truth.lambda, options);
  ASSERT_TRUE(alone.refinement) << alone.refusal;
  const LatticeRefinement& a = *alone.refinement;
  EXPECT_LT(std::fabs(a.cell.a - truth.cell.a), 3.0 * a.cellErrors[0]) << a.cell.a;
  EXPECT_LT(std::fabs(a.displacementMm - truth.sMm), 3.0 * a.displacementError)
      << a.displacementMm << " ± " << a.displacementError;
  EXPECT_TRUE(std::isnan(a.zeroError));
  ASSERT_EQ(a.names, (std::vector<std::string>{"a", "displacement"}));
  const double r = Correlation(a, "a", "displacement");
  EXPECT_GT(std::fabs(r), 0.1);
  EXPECT_LT(std::fabs(r), 1.0);
  EXPECT_DOUBLE_EQ(Correlation(a, "displacement", "a"), r);

  // Zero and displacement together: both recovered, strongly correlated.
  options.zero = true;
  const LatticeRefinementResult both = RefineLattice(start, peaks, truth.lambda, options);
  ASSERT_TRUE(both.refinement) << both.refusal;
  const LatticeRefinement& b = *both.refinement;
  EXPECT_LT(std::fabs(b.cell.a - truth.cell.a), 3.0 * b.cellErrors[0]);
  EXPECT_LT(std::fabs(b.zero - truth.zero), 3.0 * b.zeroError) << b.zero << " ± " << b.zeroError;
  EXPECT_LT(std::fabs(b.displacementMm - truth.sMm), 3.0 * b.displacementError);
  EXPECT_GT(b.displacementError, a.displacementError);
  EXPECT_GT(std::fabs(Correlation(b, "zero", "displacement")), 0.5);
  // Each residual is what is left of the noise.
  for (const ReflectionResidual& x : b.residuals) EXPECT_LT(std::fabs(x.residual), 5 * truth.sigma);

  // A displacement without a goniometer radius is refused.
  options.radiusMm = 0.0;
  EXPECT_FALSE(RefineLattice(start, peaks, truth.lambda, options).refinement);
}

TEST(LatticeRefinement, ThePositionCorrectionUndoesTheShiftOfZeroAndDisplacement) {
  const PositionCorrection c{-0.02, 0.15, 217.5};
  for (const double d : {3.1356, 1.9202, 1.1085}) {
    const double observed = Observed(d, 1.5406, c.zero, c.displacementMm, c.radiusMm);
    const double bragg = Observed(d, 1.5406, 0.0, 0.0, c.radiusMm);
    // The shift is taken at the observed angle: equal to first order, the
    // rest the shift times its slope, (s/R)·sin θ·shift, some 10⁻⁵ degrees
    // here, far below a position's uncertainty.
    const double shift = observed - bragg;
    const double secondOrder = c.displacementMm / c.radiusMm * std::fabs(shift);
    EXPECT_NEAR(observed - c.ShiftAt(observed), bragg, 2.0 * secondOrder) << d;
    EXPECT_GT(std::fabs(observed - bragg), 100.0 * secondOrder) << d;
  }
}

}  // namespace
