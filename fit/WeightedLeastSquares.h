#pragma once

#include <optional>
#include <vector>

// Weighted linear least squares of a few parameters: minimises
// Σ ((y_i − Σ_j A_ij·p_j)/σ_i)² through the normal equations, the columns
// scaled to unit weighted length before the inversion so that parameters of
// very different units (Å, degrees, mm) do not spoil the pivots.

using Matrix = std::vector<std::vector<double>>;

struct LinearFit {
  std::vector<double> parameters;
  // (AᵀWA)⁻¹, the covariance the σ_i alone give (not scaled by the scatter).
  Matrix covariance;
  double chisq = 0.0;
};

// The fit of rows A_i (each of the same length p ≥ 1) to y_i with standard
// uncertainties σ_i > 0; empty when the rows are fewer than p, a σ is not
// positive and finite, or the normal matrix is singular.
std::optional<LinearFit> FitWeightedLinear(const Matrix& rows, const std::vector<double>& y,
                                           const std::vector<double>& sigma);

// The inverse of a symmetric positive definite matrix, or empty when it is
// singular (a pivot below a relative 1e-12 of the diagonal's size).
std::optional<Matrix> InvertSymmetric(const Matrix& m);

// The factor the covariance of a fit with n points and p parameters is
// scaled by: its reduced χ² when that exceeds 1 (the points scatter more than
// their uncertainties say), else 1 (the uncertainties are never made smaller
// than the points' own ones give).
double ScatterFactor(double chisq, int n, int p);
