#pragma once

#include "fit/PeakModel.h"

// Selects a shape in g_function for as long as it lives, so that the peak
// model evaluates that shape, then puts back the one selected before.
class ScopedPeakShape {
 public:
  explicit ScopedPeakShape(int function) : m_previous(g_function) { g_function = function; }
  ScopedPeakShape(const ScopedPeakShape&) = delete;
  ScopedPeakShape& operator=(const ScopedPeakShape&) = delete;
  ~ScopedPeakShape() { g_function = m_previous; }

 private:
  int m_previous;
};
