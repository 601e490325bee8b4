#include "fit/Expandcov.h"

void expandcov(double** covar, int npar, const int lista[], int nfit) {
  for (int j = 1; j < npar; ++j) {
    for (int i = j + 1; i <= npar; ++i) covar[i][j] = 0.0;
  }
  for (int i = 1; i < nfit; ++i) {
    for (int j = i + 1; j <= nfit; ++j) {
      if (lista[j] > lista[i]) {
        covar[lista[j]][lista[i]] = covar[i][j];
      } else {
        covar[lista[i]][lista[j]] = covar[i][j];
      }
    }
  }
  // Park the diagonal in row 1 before placing the variances.
  const double first = covar[1][1];
  for (int j = 1; j <= npar; ++j) {
    covar[1][j] = covar[j][j];
    covar[j][j] = 0.0;
  }
  covar[lista[1]][lista[1]] = first;
  for (int j = 2; j <= nfit; ++j) covar[lista[j]][lista[j]] = covar[1][j];
  for (int j = 2; j <= npar; ++j) {
    for (int i = 1; i < j; ++i) covar[i][j] = covar[j][i];
  }
}
