#include "fit/Gaussj.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "fit/Allocators.h"
#include "fit/Fatal.h"

namespace {

// The row operations run on vectors of two or four doubles: each lane does
// to its element what a loop of single elements would, so the results are
// the same bit for bit whatever the width. The search for the pivot takes
// the largest magnitude first (exact, in any order), then the last element
// that has it.
typedef double Pair __attribute__((vector_size(16)));

Pair LoadPair(const double* p) {
  Pair v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

void StorePair(double* p, Pair v) { std::memcpy(p, &v, sizeof v); }

// row[k] = row[k] − d · pivot[k] for k in 1..n, by pairs.
void SubtractMultiplePairs(double* row, const double* pivot, double d, int n) {
  const Pair dd = {d, d};
  int k = 1;
  for (; k + 1 <= n; k += 2) StorePair(row + k, LoadPair(row + k) - dd * LoadPair(pivot + k));
  for (; k <= n; ++k) row[k] = row[k] - d * pivot[k];
}

#if defined(__x86_64__)
typedef double Quad __attribute__((vector_size(32)));

// The same by fours, with AVX2.
__attribute__((target("avx2"))) void SubtractMultipleQuads(double* row, const double* pivot,
                                                           double d, int n) {
  const Quad dd = {d, d, d, d};
  int k = 1;
  for (; k + 3 <= n; k += 4) {
    Quad r, p;
    std::memcpy(&r, row + k, sizeof r);
    std::memcpy(&p, pivot + k, sizeof p);
    r = r - dd * p;
    std::memcpy(row + k, &r, sizeof r);
  }
  for (; k <= n; ++k) row[k] = row[k] - d * pivot[k];
}
#endif

using RowUpdate = void (*)(double* row, const double* pivot, double d, int n);

// The widest row update the processor runs.
RowUpdate SubtractMultiple() {
#if defined(__x86_64__)
  static const RowUpdate chosen =
      __builtin_cpu_supports("avx2") ? SubtractMultipleQuads : SubtractMultiplePairs;
  return chosen;
#else
  return SubtractMultiplePairs;
#endif
}

// row[k] = q · row[k] for k in 1..n.
void Scale(double* row, double q, int n) {
  const Pair qq = {q, q};
  int k = 1;
  for (; k + 1 <= n; k += 2) StorePair(row + k, qq * LoadPair(row + k));
  for (; k <= n; ++k) row[k] = q * row[k];
}

struct Pivot {
  int row = 0;
  int col = 0;
};

typedef long long PairBits __attribute__((vector_size(16)));

PairBits LoadBits(const void* p) {
  PairBits v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// The larger of a and b where b is larger, else a: a NaN in b never wins.
Pair Larger(Pair a, Pair b) {
  const PairBits greater = b > a;
  return (Pair)((greater & (PairBits)b) | (~greater & (PairBits)a));
}

// The largest |row[k]| (at least 0) of the columns k whose freeColumn[k] is
// all ones; a NaN never counts.
double LargestCandidate(const double* row, const long long* freeColumn, int n) {
  const PairBits magnitude = {0x7fffffffffffffffLL, 0x7fffffffffffffffLL};
  Pair big[4] = {};
  int k = 1;
  for (; k + 7 <= n; k += 8) {
    for (int u = 0; u < 4; ++u) {
      const int at = k + 2 * u;
      big[u] = Larger(big[u], (Pair)(LoadBits(row + at) & magnitude & LoadBits(freeColumn + at)));
    }
  }
  for (; k + 1 <= n; k += 2) {
    big[0] = Larger(big[0], (Pair)(LoadBits(row + k) & magnitude & LoadBits(freeColumn + k)));
  }
  double largest = 0.0;
  for (const Pair b : big) largest = std::max(largest, std::max(b[0], b[1]));
  if (k == n && freeColumn[k] != 0 && std::fabs(row[k]) > largest) largest = std::fabs(row[k]);
  return largest;
}

// The largest remaining candidate; among equal magnitudes the last one met
// in row, then column order wins. used[k] counts how often column k was
// pivot; freeColumn[k] is all ones while it is 0. rowBig is work space of
// n + 1.
Pivot FindPivot(double** a, int n, const int* used, const long long* freeColumn, double* rowBig) {
  for (int k = 1; k <= n; ++k) {
    if (used[k] > 1) fatal("gaussj: Singular Matrix-1");
  }
  double big = 0.0;
  for (int j = 1; j <= n; ++j) {
    if (used[j] == 1) continue;
    rowBig[j] = LargestCandidate(a[j], freeColumn, n);
    big = std::max(big, rowBig[j]);
  }
  for (int j = n; j >= 1; --j) {
    if (used[j] == 1 || rowBig[j] != big) continue;
    for (int k = n; k >= 1; --k) {
      if (used[k] == 0 && std::fabs(a[j][k]) == big) return {j, k};
    }
  }
  // Only NaN candidates are left (none equals the 0 that big started from).
  fatal("gaussj: no finite pivot");
}

void SwapRows(double** a, int r1, int r2, int ncol) {
  for (int k = 1; k <= ncol; ++k) std::swap(a[r1][k], a[r2][k]);
}

// Scales the pivot row and clears the pivot column from every other row.
void Eliminate(double** a, int n, double** b, int m, int pc) {
  if (a[pc][pc] == 0.0) fatal("gaussj: Singular Matrix-2");
  const double q = 1.0 / a[pc][pc];
  a[pc][pc] = 1.0;
  Scale(a[pc], q, n);
  Scale(b[pc], q, m);
  const RowUpdate subtract = SubtractMultiple();
  for (int l = 1; l <= n; ++l) {
    if (l == pc) continue;
    const double d = a[l][pc];
    a[l][pc] = 0.0;
    subtract(a[l], a[pc], d, n);
    subtract(b[l], b[pc], d, m);
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
  std::vector<long long> freeColumn(static_cast<std::size_t>(n) + 1, -1);
  std::vector<double> rowBig(static_cast<std::size_t>(n) + 1, 0.0);

  for (int i = 1; i <= n; ++i) {
    const Pivot p = FindPivot(a, n, used, freeColumn.data(), rowBig.data());
    ++used[p.col];
    freeColumn[static_cast<std::size_t>(p.col)] = 0;
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
