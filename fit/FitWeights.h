#pragma once

// How the points of a fit are weighted: all alike (unit weights, whose
// uncertainties are scaled by the fit's own scatter), by counting statistics
// (σ² = N + 1 of the raw counts), or by the standard uncertainties read with
// the profile.
enum class FitWeights { kUnit, kCounts, kSigma };

// The weights' name in commands and JSON: "unit", "counts", "sigma".
const char* FitWeightsName(FitWeights weights);

// The points' standard deviations as a fit weighs them, with the kind of
// weights they stand for. Without sig every weight is 1.
struct Weighting {
  FitWeights weights = FitWeights::kUnit;
  const double* sig = nullptr;  // sig[1..npt]
  // Points of the window left out for a σ that is not a positive number.
  int leftOut = 0;

  // Whether the σ are absolute: the covariance is (JᵀWJ)⁻¹ itself.
  bool Absolute() const { return weights != FitWeights::kUnit && sig != nullptr; }
  double Weight(int i) const { return sig == nullptr ? 1.0 : 1.0 / (sig[i] * sig[i]); }
};
