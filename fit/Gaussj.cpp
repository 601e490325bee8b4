#include "fit/Gaussj.h"

#include <cmath>
#include <utility>

#include "fit/Allocators.h"
#include "fit/Fatal.h"

namespace {

struct Pivot {
  int row = 0;
  int col = 0;
};

// The largest remaining candidate; the comparison admits equality so the last
// of equal magnitudes wins. used[k] counts how often column k was pivot.
Pivot FindPivot(double** a, int n, const int* used) {
  double big = 0.0;
  Pivot pivot;
  for (int j = 1; j <= n; ++j) {
    if (used[j] == 1) continue;
    for (int k = 1; k <= n; ++k) {
      if (used[k] == 0) {
        if (std::fabs(a[j][k]) >= big) {
          big = std::fabs(a[j][k]);
          pivot = {j, k};
        }
      } else if (used[k] > 1) {
        fatal("gaussj: Singular Matrix-1");
      }
    }
  }
  // Only NaN candidates never compare as >= big.
  if (pivot.col == 0) fatal("gaussj: no finite pivot");
  return pivot;
}

void SwapRows(double** a, int r1, int r2, int ncol) {
  for (int k = 1; k <= ncol; ++k) std::swap(a[r1][k], a[r2][k]);
}

// Scales the pivot row and clears the pivot column from every other row.
void Eliminate(double** a, int n, double** b, int m, int pc) {
  if (a[pc][pc] == 0.0) fatal("gaussj: Singular Matrix-2");
  const double q = 1.0 / a[pc][pc];
  a[pc][pc] = 1.0;
  for (int k = 1; k <= n; ++k) a[pc][k] = q * a[pc][k];
  for (int k = 1; k <= m; ++k) b[pc][k] = q * b[pc][k];
  for (int l = 1; l <= n; ++l) {
    if (l == pc) continue;
    const double d = a[l][pc];
    a[l][pc] = 0.0;
    for (int k = 1; k <= n; ++k) a[l][k] = a[l][k] - d * a[pc][k];
    for (int k = 1; k <= m; ++k) b[l][k] = b[l][k] - d * b[pc][k];
  }
}

}  // namespace

void gaussj(double** a, int n, double** b, int m) {
  int* pivotCol = ivector(1, n);
  ReleaseOnExit releaseCol([&] { release_ivector(pivotCol, 1, n); });
  int* pivotRow = ivector(1, n);
  ReleaseOnExit releaseRow([&] { release_ivector(pivotRow, 1, n); });
  int* used = ivector(1, n);
  ReleaseOnExit releaseUsed([&] { release_ivector(used, 1, n); });
  for (int j = 1; j <= n; ++j) used[j] = 0;

  for (int i = 1; i <= n; ++i) {
    const Pivot p = FindPivot(a, n, used);
    ++used[p.col];
    if (p.row != p.col) {
      SwapRows(a, p.row, p.col, n);
      SwapRows(b, p.row, p.col, m);
    }
    pivotRow[i] = p.row;
    pivotCol[i] = p.col;
    Eliminate(a, n, b, m, p.col);
  }
  for (int i = n; i >= 1; --i) {
    if (pivotRow[i] == pivotCol[i]) continue;
    for (int k = 1; k <= n; ++k) std::swap(a[k][pivotRow[i]], a[k][pivotCol[i]]);
  }
  // Guards release in reverse order of allocation: used, rows, then columns.
}
