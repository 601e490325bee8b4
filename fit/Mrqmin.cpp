#include "fit/Mrqmin.h"

#include <cmath>

#include "fit/Allocators.h"
#include "fit/Expandcov.h"
#include "fit/Fatal.h"
#include "fit/Gaussj.h"

void MrqminSequence::Obtain(int parameters, int fitted) {
  npar = parameters;
  nfit = fitted;
  lm_rhs = matrix(1, nfit, 1, 1);
  lm_trial = vector(1, npar);
  lm_step = vector(1, npar);
  lm_beta = vector(1, npar);
}

void MrqminSequence::Release() {
  if (lm_beta != nullptr) release_vector(lm_beta, 1, npar);
  if (lm_step != nullptr) release_vector(lm_step, 1, npar);
  if (lm_trial != nullptr) release_vector(lm_trial, 1, npar);
  if (lm_rhs != nullptr) release_matrix(lm_rhs, 1, nfit, 1, 1);
  lm_beta = lm_step = lm_trial = nullptr;
  lm_rhs = nullptr;
}

namespace {

// Appends the held parameters to lista[nfit+1..npar] in increasing order.
void CompleteLista(int lista[], int npar, int nfit) {
  int next = nfit + 1;
  for (int p = 1; p <= npar; ++p) {
    int count = 0;
    for (int j = 1; j <= nfit; ++j) count += lista[j] == p;
    if (count > 1) fatal("Bad lista permutation in mrqmin-1");
    if (count == 0) {
      // Never write beyond entry npar.
      if (next > npar) fatal("Bad lista permutation in mrqmin-2");
      lista[next++] = p;
    }
  }
  if (next != npar + 1) fatal("Bad lista permutation in mrqmin-2");
}

void StartSequence(const double x[], const double y[], const double sig[], int npt,
                   const double a[], int npar, int lista[], int nfit, double** alpha, double& chisq,
                   const FitModel& model, double& lambda, MrqminSequence& s) {
  s.Release();  // an abandoned sequence
  s.Obtain(npar, nfit);
  CompleteLista(lista, npar, nfit);
  lambda = 0.001;
  curvature(x, y, sig, npt, a, npar, lista, nfit, alpha, s.lm_beta, chisq, model);
  s.lm_chisq = chisq;
}

// Whether fitted parameter j stands on a bound that its descent direction
// (β) pushes against, or (in a bounded fit) no longer moves χ² at all, as
// the position and width of a peak held at height 0: the step leaves it
// where it is.
bool PressesOnBound(const MrqminSequence& s, double** alpha, const double a[], const int lista[],
                    int j) {
  if (s.lm_lower.empty()) return false;
  const double value = a[lista[j]];
  return (value <= s.lm_lower[lista[j]] && s.lm_beta[j] < 0.0) ||
         (value >= s.lm_upper[lista[j]] && s.lm_beta[j] > 0.0) || alpha[j][j] == 0.0;
}

// Solves the damped normal equations into lm_step; covar gets the inverse.
// A step call leaves a parameter that presses on its bound out of the
// equations (its step 0), so that the others move without it.
void SolveDamped(int nfit, double** covar, double** alpha, double lambda, MrqminSequence& s,
                 const double a[], const int lista[]) {
  for (int j = 1; j <= nfit; ++j) {
    for (int k = 1; k <= nfit; ++k) covar[j][k] = alpha[j][k];
    covar[j][j] = (1.0 + lambda) * alpha[j][j];
    s.lm_rhs[j][1] = s.lm_beta[j];
  }
  if (lambda > 0.0) {
    for (int j = 1; j <= nfit; ++j) {
      if (!PressesOnBound(s, alpha, a, lista, j)) continue;
      for (int k = 1; k <= nfit; ++k) covar[j][k] = covar[k][j] = 0.0;
      covar[j][j] = 1.0;
      s.lm_rhs[j][1] = 0.0;
    }
  }
  gaussj(covar, nfit, s.lm_rhs, 1);
  for (int j = 1; j <= nfit; ++j) s.lm_step[j] = s.lm_rhs[j][1];
}

// The trial's fitted parameters moved back inside their bounds; the step
// becomes the one actually tried where a bound cut it short.
void ProjectOntoBounds(MrqminSequence& s, const double a[], const int lista[], int nfit) {
  if (s.lm_lower.empty()) return;
  for (int j = 1; j <= nfit; ++j) {
    double& t = s.lm_trial[lista[j]];
    const double lower = s.lm_lower[lista[j]], upper = s.lm_upper[lista[j]];
    if (!(t < lower) && !(t > upper)) continue;
    t = t < lower ? lower : upper;
    s.lm_step[j] = t - a[lista[j]];
  }
}

// 2·δᵀβ − δᵀαδ for the step δ = lm_step over the fitted parameters: the fall
// of χ² the linearised model predicts for it.
double PredictedReduction(int nfit, double** alpha, const MrqminSequence& s) {
  double linear = 0.0;
  double quadratic = 0.0;
  for (int j = 1; j <= nfit; ++j) {
    linear += s.lm_step[j] * s.lm_beta[j];
    double row = 0.0;
    for (int k = 1; k <= nfit; ++k) row += alpha[j][k] * s.lm_step[k];
    quadratic += s.lm_step[j] * row;
  }
  return 2.0 * linear - quadratic;
}

void TryStep(const double x[], const double y[], const double sig[], int npt, double a[], int npar,
             const int lista[], int nfit, double** covar, double** alpha, double& chisq,
             const FitModel& model, double& lambda, MrqminSequence& s) {
  for (int p = 1; p <= npar; ++p) s.lm_trial[p] = a[p];
  for (int j = 1; j <= nfit; ++j) s.lm_trial[lista[j]] = a[lista[j]] + s.lm_step[j];
  ProjectOntoBounds(s, a, lista, nfit);
  s.lm_predicted = PredictedReduction(nfit, alpha, s);
  curvature(x, y, sig, npt, s.lm_trial, npar, lista, nfit, covar, s.lm_step, chisq, model);
  s.lm_trialChange = chisq - s.lm_chisq;
  // A NaN or infinite chi-square never counts as a fall.
  if (std::isfinite(chisq) && chisq < s.lm_chisq) {
    lambda = lambda * 0.1;
    s.lm_chisq = chisq;
    for (int j = 1; j <= nfit; ++j) {
      for (int k = 1; k <= nfit; ++k) alpha[j][k] = covar[j][k];
      s.lm_beta[j] = s.lm_step[j];
      a[lista[j]] = s.lm_trial[lista[j]];
    }
  } else {
    lambda = lambda * 10.0;
    chisq = s.lm_chisq;
  }
}

}  // namespace

void mrqmin(const double x[], const double y[], const double sig[], int npt, double a[], int npar,
            int lista[], int nfit, double** covar, double** alpha, double& chisq,
            const FitModel& model, double& lambda, MrqminSequence& sequence) {
  try {
    if (lambda < 0.0) {
      StartSequence(x, y, sig, npt, a, npar, lista, nfit, alpha, chisq, model, lambda, sequence);
    } else if (!sequence.IsOpen()) {
      fatal("mrqmin: no fit sequence is open");
    } else if (npar != sequence.npar || nfit != sequence.nfit) {
      fatal("mrqmin: parameter count changed during a fit");
    }
    SolveDamped(nfit, covar, alpha, lambda, sequence, a, lista);
    if (lambda == 0.0) {
      expandcov(covar, npar, lista, nfit);
      sequence.Release();
      return;
    }
    TryStep(x, y, sig, npt, a, npar, lista, nfit, covar, alpha, chisq, model, lambda, sequence);
  } catch (...) {
    sequence.Release();
    throw;
  }
}
