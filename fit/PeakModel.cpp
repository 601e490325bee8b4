#include "fit/PeakModel.h"

#include <cmath>

int g_function = kLorentzian;

void peakmodel(double x, const double a[], double& value, double deriv[], int npar) {
  value = 0.0;
  if (!IsPeakShape(g_function)) {
    // Keep every derivative defined: the minimiser reads them all.
    for (int m = 1; m <= npar; ++m) deriv[m] = 0.0;
    return;
  }
  const bool gauss = g_function == kGaussian;
  for (int i = 1; i <= npar - 3; i += 3) {
    const double u = (x - a[i + 1]) / a[i + 2];
    const double s = gauss ? std::exp(-(u * u)) : 1.0 / (u * u + 1.0);
    value = s * a[i] + value;
    deriv[i] = s;
    if (gauss) {
      const double f = ((s * a[i]) * 2.0) * u;
      deriv[i + 1] = f / a[i + 2];
      deriv[i + 2] = (f * u) / a[i + 2];
    } else {
      const double f = (((2.0 * a[i]) * s) * s) * u;
      deriv[i + 1] = f / a[i + 2];
      deriv[i + 2] = ((x - a[i + 1]) * f) / (a[i + 2] * a[i + 2]);
    }
  }
  value = (value + a[npar]) + x * a[npar - 1];
  deriv[npar] = 1.0;
  deriv[npar - 1] = x;
}

void peakvalue(double x, const double a[], double& value, int npar) {
  value = 0.0;
  if (!IsPeakShape(g_function)) return;
  const bool gauss = g_function == kGaussian;
  for (int i = 1; i <= npar - 3; i += 3) {
    const double u = (x - a[i + 1]) / a[i + 2];
    const double s = gauss ? std::exp(-(u * u)) : 1.0 / (u * u + 1.0);
    value = s * a[i] + value;
  }
  value = (value + a[npar]) + x * a[npar - 1];
}
