#include "view/TavView.h"

#include "view/Host.h"
#include "view/PixelMath.h"

#include "fit/PeakModel.h"

CTavView::CTavView(CTavDoc& doc, Host& host) : m_doc(doc), m_host(host) {
  m_widthFactor.fill(1.0);
  g_function = 1;
}

int CTavView::XToPixel(double x) const {
  return TruncToPixel((x - m_xMin) * 550 / (m_xMax - m_xMin) + 100);
}

int CTavView::YToPixel(double y) const {
  return TruncToPixel((y - m_yMin) * -300 / (m_yMax - m_yMin) + 350);
}

double CTavView::PixelToX(int px) const { return (m_xMax - m_xMin) * (px - 100) / 550 + m_xMin; }

double CTavView::PixelToY(int py) const { return (m_yMin - m_yMax) * (py - 50) / 300 + m_yMax; }

double CTavView::SampleX(int s) const { return (m_xMax - m_xMin) * s / 550 + m_xMin; }

std::vector<int> CTavView::FitWindow() const {
  std::vector<int> indices;
  for (int i = 1; i <= m_doc.m_nData; ++i) {
    if (m_xMin <= m_doc.m_x[i] && m_doc.m_x[i] <= m_xMax) indices.push_back(i);
  }
  return indices;
}

void CTavView::Repaint() { m_host.Repaint(); }

void CTavView::SetRangeFromDocument() {
  m_xMin = m_doc.m_x[1];
  m_xMax = m_doc.m_x[m_doc.m_nData];
  if (m_xMin > m_xMax) {
    const double t = m_xMin;
    m_xMin = m_xMax;
    m_xMax = t;
  }
  m_yMin = m_doc.m_yMin;
  m_yMax = m_doc.m_yMax;
}
