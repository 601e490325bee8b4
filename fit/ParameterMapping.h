#pragma once

#include <vector>

#include "fit/FitConstraints.h"
#include "fit/FitModel.h"
#include "fit/ParameterCovariance.h"

// How the minimiser's free parameters p[1..nfree] stand for the model's
// parameters a[1..npar] (n peaks of one shape, then the background terms): a
// held parameter has no p and keeps its value; shared widths (or η, m) are
// one p for every peak. Each p may carry bounds.
class ParameterMapping {
 public:
  // The mapping of n peaks of the shape and nb background terms under the
  // constraints (peak slots 1..n).
  static ParameterMapping Build(int shape, int peaks, int backgroundTerms,
                                const FitConstraints& constraints);

  int Full() const { return m_npar; }
  int Free() const { return m_nfree; }
  // Whether p is a itself: nothing held, shared or bounded.
  bool IsIdentity() const { return m_identity; }
  bool HasBounds() const { return m_bounded; }
  // The p that a[i] follows, or 0 for a held one.
  int FreeIndexOf(int i) const { return m_freeOf[static_cast<std::size_t>(i)]; }
  // p[0..nfree] (p[0] unused) from a[0..npar]: each p the value of the
  // first a that follows it.
  std::vector<double> Reduce(const std::vector<double>& a) const;
  // Writes every a that follows a p; held ones keep their value.
  void Expand(const double p[], double a[]) const;
  // Bounds of p[1..nfree], for the minimiser (±∞ for none).
  const std::vector<double>& Lower() const { return m_lower; }
  const std::vector<double>& Upper() const { return m_upper; }

 private:
  int m_npar = 0;
  int m_nfree = 0;
  bool m_identity = true;
  bool m_bounded = false;
  std::vector<int> m_freeOf;             // [0..npar]
  std::vector<double> m_lower, m_upper;  // [0..nfree]
};

// The covariance of a[1..npar] from the normal equations of the free
// parameters a fit ended with (over npt points): the free parameters that
// ended on a bound are held there, so their rows and columns are left out of
// the inversion, as those of the fixed ones; each a then takes the row and
// column of the p it follows, a held one zeros. heldA[i] marks a[i] held.
ParameterCovariance ExpandedCovariance(const NormalEquations& normal, int npt, bool absolute,
                                       const ParameterMapping& mapping,
                                       const std::vector<bool>& heldA);

// A model of the free parameters p: the model of a = Expand(p), with the
// derivatives by p the sums of those by the a that follow each p.
class ConstrainedModel : public FitModel {
 public:
  // a holds the values of the held parameters (and starts the others).
  ConstrainedModel(const FitModel& model, const ParameterMapping& mapping, std::vector<double> a);

  void Evaluate(double x, const double p[], double& value, double deriv[],
                int nfree) const override;
  // The model's own route to the sums of a, folded onto p.
  void Curvature(const double x[], const double y[], const double sig[], int npt, const double p[],
                 int nfree, const int lista[], int nfit, double** alpha, double beta[],
                 double& chisq) const override;
  // The full parameters of p.
  std::vector<double> FullParameters(const double p[]) const;

 private:
  const FitModel& m_model;
  const ParameterMapping& m_mapping;
  mutable std::vector<double> m_a;
  mutable std::vector<double> m_deriv;
};
