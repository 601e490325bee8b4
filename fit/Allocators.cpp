#include "fit/Allocators.h"

#include <cstddef>
#include <new>

#include "fit/Fatal.h"

namespace {

// Number of elements hi - lo + 2, or 0 when the range cannot be allocated.
std::size_t SpanWithSpare(int lo, int hi) {
  const long long n = static_cast<long long>(hi) - lo + 2;
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

}  // namespace

double* vector(int lo, int hi) {
  const std::size_t n = SpanWithSpare(lo, hi);
  double* block = n > 0 ? new (std::nothrow) double[n] : nullptr;
  if (block == nullptr) fatal("allocation failure in vector()");
  return block + 1 - lo;
}

int* ivector(int lo, int hi) {
  const std::size_t n = SpanWithSpare(lo, hi);
  int* block = n > 0 ? new (std::nothrow) int[n] : nullptr;
  if (block == nullptr) fatal("allocation failure in ivector()");
  return block + 1 - lo;
}

double** matrix(int rlo, int rhi, int clo, int chi) {
  const long long nrow = static_cast<long long>(rhi) - rlo + 1;
  const long long ncol = static_cast<long long>(chi) - clo + 1;
  double** table =
      nrow >= 0 ? new (std::nothrow) double*[static_cast<std::size_t>(nrow + 1)] : nullptr;
  if (table == nullptr) fatal("allocation failure 1 in matrix()");
  double* storage =
      ncol >= 0 ? new (std::nothrow) double[static_cast<std::size_t>(nrow * ncol + 1)] : nullptr;
  if (storage == nullptr) {
    delete[] table;
    fatal("allocation failure 2 in matrix()");
  }
  // The spare entry keeps the storage block for the release, which then
  // works for a matrix without rows too.
  table[0] = storage;
  double** rows = table + 1 - rlo;
  if (nrow > 0) {
    rows[rlo] = storage + 1 - clo;
    for (int i = rlo + 1; i <= rhi; ++i) rows[i] = rows[i - 1] + ncol;
  }
  return rows;
}

void release_vector(double* v, int lo, int /*hi*/) { delete[](v + lo - 1); }

void release_ivector(int* v, int lo, int /*hi*/) { delete[](v + lo - 1); }

void release_matrix(double** m, int rlo, int /*rhi*/, int /*clo*/, int /*chi*/) {
  double** table = m + rlo - 1;
  delete[] table[0];
  delete[] table;
}
