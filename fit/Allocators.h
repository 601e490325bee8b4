#pragma once

#include <utility>

// Index-range allocators of the numeric routines. A vector over lo..hi is
// addressed with the caller's own indices; one spare element lies below lo.
// A refused request goes to fatal; no allocator returns an empty reference.
double* vector(int lo, int hi);
int* ivector(int lo, int hi);
// Rows rlo..rhi by columns clo..chi, one contiguous block, row by row.
double** matrix(int rlo, int rhi, int clo, int chi);

// Each gives back exactly what the matching allocator obtained.
void release_vector(double* v, int lo, int hi);
void release_ivector(int* v, int lo, int hi);
void release_matrix(double** m, int rlo, int rhi, int clo, int chi);

// Runs a release when the scope ends, normally or by a failure unwinding it.
template <class Release>
class ReleaseOnExit {
 public:
  explicit ReleaseOnExit(Release release) : m_release(std::move(release)) {}
  ReleaseOnExit(const ReleaseOnExit&) = delete;
  ReleaseOnExit& operator=(const ReleaseOnExit&) = delete;
  ~ReleaseOnExit() {
    if (m_armed) m_release();
  }
  // The storage was handed on or released already.
  void Disarm() { m_armed = false; }

 private:
  Release m_release;
  bool m_armed = true;
};
