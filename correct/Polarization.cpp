#include "correct/Polarization.h"

#include <cmath>

void CorrectPolarization(const double x[], double y[], int n) {
  for (int i = 1; i <= n; ++i) {
    const double a = x[i] * 3.14159 / 180.0;
    const double u = std::cos(a);
    const double divisor = (u * u + 3.0) / u;
    y[i] = y[i] / divisor;
  }
}
