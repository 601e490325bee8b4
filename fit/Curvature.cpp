#include "fit/Curvature.h"

#include "fit/Allocators.h"

void FitModel::Curvature(const double x[], const double y[], const double sig[], int npt,
                         const double a[], int npar, const int lista[], int nfit, double** alpha,
                         double beta[], double& chisq) const {
  curvature_pointwise(x, y, sig, npt, a, npar, lista, nfit, alpha, beta, chisq, *this);
}

void curvature(const double x[], const double y[], const double sig[], int npt, const double a[],
               int npar, const int lista[], int nfit, double** alpha, double beta[], double& chisq,
               const FitModel& model) {
  model.Curvature(x, y, sig, npt, a, npar, lista, nfit, alpha, beta, chisq);
}

void curvature_pointwise(const double x[], const double y[], const double sig[], int npt,
                         const double a[], int npar, const int lista[], int nfit, double** alpha,
                         double beta[], double& chisq, const FitModel& model) {
  double* deriv = vector(1, npar);
  ReleaseOnExit releaseDeriv([&] { release_vector(deriv, 1, npar); });
  for (int j = 1; j <= nfit; ++j) {
    for (int k = 1; k <= j; ++k) alpha[j][k] = 0.0;
    beta[j] = 0.0;
  }
  chisq = 0.0;
  for (int i = 1; i <= npt; ++i) {
    double ymod = 0.0;
    model.Evaluate(x[i], a, ymod, deriv, npar);
    const double w = 1.0 / (sig[i] * sig[i]);
    const double dy = y[i] - ymod;
    for (int j = 1; j <= nfit; ++j) {
      const double t = deriv[lista[j]] * w;
      for (int k = 1; k <= j; ++k) alpha[j][k] = t * deriv[lista[k]] + alpha[j][k];
      beta[j] = dy * t + beta[j];
    }
    chisq = (dy * dy) * w + chisq;
  }
  for (int j = 2; j <= nfit; ++j) {
    for (int k = 1; k < j; ++k) alpha[k][j] = alpha[j][k];
  }
}
