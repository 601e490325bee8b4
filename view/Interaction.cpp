// Range and peak interaction: the two modes, the rubber band, the typed and
// initial ranges, placing and removing peaks, the keys, and the
// command-update rules of the four menu items that depend on them.
#include "view/Canvas.h"
#include "view/Host.h"
#include "view/TavView.h"

namespace {

// Rubber-band states of m_dragState.
constexpr int kArmed = 0;
constexpr int kDragging = 1;
constexpr int kDisarmed = 2;

constexpr double kWiden = 1.05;
constexpr double kNarrow = 0.95;

// Stores the two ends with the smaller one in lo.
void SetOrdered(double a, double b, double& lo, double& hi) {
  if (a > b) {
    lo = b;
    hi = a;
  } else {
    lo = a;
    hi = b;
  }
}

}  // namespace

void CTavView::OnRangeSet() {
  // No repaint: the cleared peaks leave the screen at the next repaint.
  m_bPeakMode = 0;
  m_dragState = kArmed;
  m_nPeak = 0;
  m_bFitted = 0;
}

void CTavView::OnPeakPosition() { m_bPeakMode = 1; }

void CTavView::OnRangeReset() {
  OnRangeSet();
  // Without a spectrum there are no ends to restore: keep the range.
  if (m_doc.m_nData > 0) SetRangeFromDocument();
  Repaint();
}

void CTavView::OnRangeInput() {
  RangeValues range{m_xMin, m_xMax, m_yMin, m_yMax};
  if (m_host.RangeDialog(range)) {
    m_xMin = range.xMin;
    m_xMax = range.xMax;
    m_yMin = range.yMin;
    m_yMax = range.yMax;
  }
  Repaint();
}

void CTavView::OnLButtonDown(int x, int y) {
  if (m_bPeakMode != 0 || m_dragState != kArmed) return;
  m_dragState = kDragging;
  m_dragX0 = x;
  m_dragY0 = y;
}

void CTavView::OnMouseMove(int x, int y) {
  if (m_bPeakMode != 0 || m_dragState != kDragging) return;
  // The band is drawn over a complete plot and vanishes at the next repaint.
  Repaint();
  const int x0 = m_dragX0;
  const int y0 = m_dragY0;
  m_host.DrawOverlay([=](Canvas& dc) {
    dc.MoveTo(x0, y0);
    dc.LineTo(x0, y);
    dc.LineTo(x, y);
    dc.LineTo(x, y0);
    dc.LineTo(x0, y0);
  });
}

void CTavView::OnLButtonUp(int x, int y) {
  if (m_bPeakMode == 0 && m_dragState == kDragging) {
    m_dragState = kArmed;
    // All four ends from the range in force before this release.
    const double xa = PixelToX(m_dragX0);
    const double xb = PixelToX(x);
    const double ya = PixelToY(m_dragY0);
    const double yb = PixelToY(y);
    SetOrdered(xa, xb, m_xMin, m_xMax);
    SetOrdered(ya, yb, m_yMin, m_yMax);
  }
  // Every release repaints: it also shows a peak the double-click appended.
  Repaint();
}

void CTavView::OnLButtonDblClk(int x, int y) { AppendPeakAt(PixelToX(x), PixelToY(y)); }

void CTavView::AppendPeakAt(double x, double y) {
  if (m_bPeakMode != 1 || m_nPeak >= kMaxPeaks) return;
  const int k = m_nPeak + 1;
  m_nPeak = k;
  m_curPeak = k;
  m_position[k] = x;
  m_height[k] = y;
  // After a fit the peak is drawn and fitted with its slot's width; a slot
  // no fit has written would hold no width at all, so it starts from the
  // width the unfitted preview would give it now.
  if (m_bFitted == 1 && !m_widthFitted[k]) {
    m_width[k] = (m_xMax - m_xMin) * m_widthFactor[k] / 10;
  }
}

void CTavView::OnRButtonDown(int, int) {
  if (m_nPeak >= 1) {
    // The removed peak's values stay in its slot.
    --m_nPeak;
    m_curPeak = m_nPeak;
  }
  Repaint();
}

void CTavView::OnKeyDown(unsigned key) {
  // m_curPeak lies in 1..m_nPeak whenever peaks exist; the bounds test only
  // keeps the factor index safe should that ever not hold.
  const bool selected = m_nPeak > 0 && m_curPeak >= 1 && m_curPeak <= m_nPeak;
  switch (key) {
    case keys::kW:
      if (selected) m_widthFactor[m_curPeak] *= kWiden;
      break;
    case keys::kN:
      if (selected) m_widthFactor[m_curPeak] *= kNarrow;
      break;
    case keys::kRight:
      if (m_nPeak > 0 && m_curPeak + 1 <= m_nPeak) ++m_curPeak;
      break;
    case keys::kLeft:
      if (m_nPeak > 0 && m_curPeak - 1 >= 1) --m_curPeak;
      break;
    default:
      break;
  }
  Repaint();
}

bool CTavView::IsRangeSetChecked() const { return m_bPeakMode == 0 && m_dragState < kDisarmed; }
bool CTavView::IsPeakPositionChecked() const { return m_bPeakMode == 1; }
bool CTavView::IsLsqStartEnabled() const { return m_nPeak > 0; }
bool CTavView::IsSaveResultEnabled() const { return m_bFitted == 1; }
