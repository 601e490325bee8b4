#include "doc/TavDoc.h"

#include <cstddef>

CTavDoc::CTavDoc() : m_x(1, 0.0), m_y(1, 0.0) {}

void CTavDoc::Reserve(int n) {
  const std::size_t size = static_cast<std::size_t>(n < 0 ? 0 : n) + 1;
  if (m_x.size() < size) m_x.resize(size, 0.0);
  if (m_y.size() < size) m_y.resize(size, 0.0);
}

void CTavDoc::ComputeYExtremes() {
  m_yMax = m_yMin = m_y[1];
  for (int i = 1; i <= m_nData; ++i) {
    if (m_y[i] > m_yMax) m_yMax = m_y[i];
    if (m_y[i] < m_yMin) m_yMin = m_y[i];
  }
}
