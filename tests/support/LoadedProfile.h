#pragma once

#include <string>
#include <vector>

#include "doc/TavDoc.h"
#include "view/TavView.h"

// Fills the document as a load would: points 1..n, Y extremes, start, step
// and stop; then gives the view the range a load sets up.
inline void LoadSpectrum(CTavView& view, const std::vector<double>& x, const std::vector<double>& y) {
  CTavDoc& doc = view.GetDocument();
  const int n = static_cast<int>(x.size());
  doc.m_nData = n;
  doc.Reserve(n);
  for (int i = 1; i <= n; ++i) {
    doc.m_x[i] = x[i - 1];
    doc.m_y[i] = y[i - 1];
  }
  if (n > 0) {
    doc.ComputeYExtremes();
    doc.m_start = x.front();
    doc.m_step = n > 1 ? x[1] - x[0] : 0.0;
    doc.m_stop = x.back();
    view.SetRangeFromDocument();
  }
  view.m_bFitted = 0;
  view.m_dragState = 2;
}

// Path of a measured profile in the shared data folder.
inline std::string SharedData(const std::string& name) { return std::string(TAV_SHARED_DATA) + "/" + name; }
