#pragma once

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
// The sequence's storage is per thread. A starting call while a sequence is
// open abandons it and releases its storage; a failure (fatal) in any call
// releases the storage as it unwinds and leaves the sequence closed; a step
// or finishing call with no open sequence, or with other sizes than the
// starting call, is fatal.
void mrqmin(const double x[], const double y[], const double sig[], int npt, double a[], int npar,
            int lista[], int nfit, double** covar, double** alpha, double& chisq,
            ModelFunction model, double& lambda);

// Closes an open sequence without the covariance and releases its storage
// (for callers that stop after their step calls); nothing when none is open.
void mrqmin_abandon();
