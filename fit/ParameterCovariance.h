#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "fit/FitWeights.h"

class PeakModel;

// The covariance matrix of the parameters a[1..npar] of a fit, or the reason
// it is unknown.
class ParameterCovariance {
 public:
  // Unknown, for the reason given (a sentence for the report's notes).
  static ParameterCovariance Unknown(std::string reason);
  // A known npar x npar matrix of zeros, to be filled with Set.
  static ParameterCovariance Zero(int npar);

  // A default covariance is unknown, without a reason.
  bool Known() const { return m_known; }
  const std::string& Reason() const { return m_reason; }
  int Size() const { return m_npar; }

  // Element (j, k), 1-based as the parameters.
  double operator()(int j, int k) const { return m_elements[Offset(j, k)]; }
  // Sets (j, k) and (k, j).
  void Set(int j, int k, double value);

  // The standard uncertainty √C_kk of a[k]; empty when the covariance is
  // unknown.
  std::optional<double> StandardUncertainty(int k) const;
  // The first-order uncertainty √(g·C·gᵀ) of a quantity whose derivatives by
  // the parameters are gradient[1..npar] (gradient[0] unused). Empty when the
  // covariance is unknown or the result is not a finite number.
  std::optional<double> Propagate(const std::vector<double>& gradient) const;

 private:
  std::size_t Offset(int j, int k) const {
    return static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(m_npar) +
           static_cast<std::size_t>(k - 1);
  }

  bool m_known = false;
  int m_npar = 0;
  std::vector<double> m_elements;
  std::string m_reason;
};

// The normal matrix JᵀJ of a fit, all parameters fitted with unit weights,
// and χ², both at the final parameters: what the minimiser leaves in its
// alpha and chisq after any call. alpha is row by row, element (j, k) at
// (j - 1) · npar + k - 1.
struct NormalEquations {
  int npar = 0;
  std::vector<double> alpha;
  double chisq = 0.0;
};

// The covariance of the parameters a[1..npar] of the peak model fitted with unit weights to (x[i],
// y[i]), i = 1..npt: C = (JᵀJ)⁻¹ · χ² / (npt − npar), J the model's derivatives at the points, at a
// itself (no damping). Unknown, with the reason, when npt <= npar, when JᵀJ cannot be inverted, or
// when a variance comes out negative or not finite.
ParameterCovariance EstimateCovariance(const double x[], const double y[], int npt,
                                       const double a[], int npar, const PeakModel& model,
                                       const Weighting& weighting = {});

// The same covariance from the normal matrix and χ² a fit over npt points
// ended with; the same numbers as EstimateCovariance at those parameters.
// Under counting or σ weights (absolute) the covariance is (JᵀWJ)⁻¹ itself,
// not scaled by χ² / (npt − npar).
ParameterCovariance CovarianceOfNormalEquations(const NormalEquations& normal, int npt,
                                                bool absolute = false);
