#pragma once

#include <utility>
#include <vector>

#include "fit/Curvature.h"

// One Levenberg-Marquardt step per call (all arrays 1-based).
// - lambda < 0: starting call. Opens a sequence: completes lista (fitted
//   indices first, then the held ones in increasing order), sets lambda to
//   0.001, computes chisq and alpha at a and makes the first trial step.
// - lambda > 0: step call. Solves (alpha with its diagonal times 1 + lambda)
//   · da = beta and tries a + da: accepted only when its chi-square is finite
//   and strictly lower (lambda × 0.1), else rejected with a, alpha and chisq
//   as they were (lambda × 10.0).
// - lambda == 0: finishing call. Leaves the covariance in covar, parameter
//   order, and closes the sequence.
// What lives from a starting call to the finishing call belongs to the
// sequence, which the caller that runs one fit owns. A starting call while
// the sequence is open abandons it and releases its storage; a failure
// (fatal) in any call releases the storage as it unwinds and leaves the
// sequence closed; a step or finishing call with no open sequence, or with
// other sizes than the starting call, is fatal.
class MrqminSequence {
 public:
  MrqminSequence() = default;
  MrqminSequence(const MrqminSequence&) = delete;
  MrqminSequence& operator=(const MrqminSequence&) = delete;
  ~MrqminSequence() { Release(); }

  bool IsOpen() const { return lm_rhs != nullptr; }
  // Closes an open sequence without the covariance and releases its storage
  // (for callers that stop after their step calls); nothing when none is open.
  void Release();

  void Obtain(int parameters, int fitted);

  // Bounds of the parameters a[1..npar] (lower[p] <= a[p] <= upper[p]; ±∞
  // for none), kept across sequences until set again; empty for none. Each
  // trial step is projected onto them, so a fit that never reaches a bound
  // takes the very steps it takes without them.
  void SetBounds(std::vector<double> lower, std::vector<double> upper) {
    lm_lower = std::move(lower);
    lm_upper = std::move(upper);
  }

  // Of the last step call: the trial's χ² less the current one (the
  // actual change), and the reduction of χ² the linearised model predicted
  // for the trial step δ, χ²_current − ‖r − Jδ‖² = 2·δᵀβ − δᵀαδ, weighted
  // as the fit is. A trial the minimiser rejected with both at most a small
  // share of χ² started at the optimum.
  double LastTrialChange() const { return lm_trialChange; }
  double LastPredictedReduction() const { return lm_predicted; }

  // The minimiser's own, between its calls.
  int npar = 0;
  int nfit = 0;
  double lm_chisq = 0.0;
  double lm_trialChange = 0.0;
  std::vector<double> lm_lower;
  std::vector<double> lm_upper;
  double lm_predicted = 0.0;
  double* lm_beta = nullptr;
  double* lm_step = nullptr;
  double* lm_trial = nullptr;
  double** lm_rhs = nullptr;
};

void mrqmin(const double x[], const double y[], const double sig[], int npt, double a[], int npar,
            int lista[], int nfit, double** covar, double** alpha, double& chisq,
            const FitModel& model, double& lambda, MrqminSequence& sequence);
