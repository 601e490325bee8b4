// Range and peak interaction: the two modes, the rubber band, the typed and
// initial ranges, placing and removing peaks, the keys, and the
// command-update rules of the four menu items that depend on them.
#include <cstdlib>

#include "text/Translate.h"
#include "view/Canvas.h"
#include "view/Host.h"
#include "view/PeakParameters.h"
#include "view/PeakSlots.h"
#include "view/TavView.h"

namespace {

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
  m_state.modes.m_bPeakMode = 0;
  m_state.modes.m_dragState = DragState::Armed;
  m_state.peaks.m_nPeak = 0;
  m_state.peaks.m_bFitted = 0;
  DropReport();
}

void CTavView::OnPeakPosition() { m_state.modes.m_bPeakMode = 1; }

void CTavView::OnRangeReset() {
  OnRangeSet();
  // Without a spectrum there are no ends to restore: keep the range.
  if (m_doc.m_nData > 0) SetRangeFromDocument();
  Repaint();
}

void CTavView::OnRangeInput() {
  DisplayRange& r = m_state.range;
  RangeValues range{r.m_xMin, r.m_xMax, r.m_yMin, r.m_yMax};
  if (m_host.RangeDialog(range)) {
    r.m_xMin = range.xMin;
    r.m_xMax = range.xMax;
    r.m_yMin = range.yMin;
    r.m_yMax = range.yMax;
  }
  Repaint();
}

void CTavView::OnLButtonDown(int x, int y) {
  InputModes& m = m_state.modes;
  if (m.m_bPeakMode != 0 || m.m_dragState != DragState::Armed) return;
  m.m_dragState = DragState::Dragging;
  m.m_dragX0 = x;
  m.m_dragY0 = y;
}

void CTavView::OnMouseMove(int x, int y) {
  const InputModes& m = m_state.modes;
  if (m.m_bPeakMode != 0 || m.m_dragState != DragState::Dragging) return;
  // The band is drawn over a complete plot and vanishes at the next repaint.
  Repaint();
  const int x0 = m.m_dragX0;
  const int y0 = m.m_dragY0;
  m_host.DrawOverlay([=](Canvas& dc) {
    dc.MoveTo(x0, y0);
    dc.LineTo(x0, y);
    dc.LineTo(x, y);
    dc.LineTo(x, y0);
    dc.LineTo(x0, y0);
  });
}

void CTavView::OnLButtonUp(int x, int y) {
  InputModes& m = m_state.modes;
  if (m.m_bPeakMode == 0 && m.m_dragState == DragState::Dragging) {
    m.m_dragState = DragState::Armed;
    // All four ends from the range in force before this release.
    const double xa = PixelToX(m.m_dragX0);
    const double xb = PixelToX(x);
    const double ya = PixelToY(m.m_dragY0);
    const double yb = PixelToY(y);
    DisplayRange& r = m_state.range;
    SetOrdered(xa, xb, r.m_xMin, r.m_xMax);
    SetOrdered(ya, yb, r.m_yMin, r.m_yMax);
  }
  // Every release repaints: it also shows a peak the double-click appended.
  Repaint();
}

void CTavView::OnLButtonDblClk(int x, int y) { AppendPeakAt(PixelToX(x), PixelToY(y)); }

void CTavView::AppendPeakAt(double x, double y) {
  if (m_state.modes.m_bPeakMode != 1) return;
  PlacePeak(x, y, false);
}

void CTavView::PlaceFoundPeak(double x, double y) { PlacePeak(x, y, true); }

namespace {

std::string TableFullText(int peaks) {
  return TranslatedFormat(
      QT_TRANSLATE_NOOP("tav", "ピーク表がいっぱいです (%1 本): max-peaks で増やせます"),
      {std::to_string(peaks)});
}

}  // namespace

void CTavView::PlacePeak(double x, double y, bool widthFromData) {
  PeakTable& t = m_state.peaks;
  if (t.m_nPeak >= m_state.fit.maxPeaks) {
    // The classic table of ten says nothing; a larger one says it is full.
    if (m_state.fit.maxPeaks > kMaxPeaks) m_host.StatusMessage(TableFullText(m_state.fit.maxPeaks));
    return;
  }
  const int k = t.m_nPeak + 1;
  t.m_nPeak = k;
  DropReport();  // the fit's report no longer describes the peaks
  t.m_curPeak = k;
  t.m_position[k] = x;
  t.m_height[k] = y;
  t.m_widthFromData[k] = widthFromData;
  // After a fit the peak is drawn and fitted with its slot's width; a slot
  // no fit has written would hold no width at all, so it starts from the
  // width the unfitted preview would give it now.
  if (t.m_bFitted == 1 && !t.m_widthFitted[k]) {
    t.m_width[k] = PlacedWidth(*this, k);
  }
}

void CTavView::OnRButtonDown(int, int) {
  PeakTable& t = m_state.peaks;
  if (t.m_nPeak >= 1) {
    // The removed peak's values stay in its slot.
    --t.m_nPeak;
    DropReport();
    t.m_curPeak = t.m_nPeak;
  }
  Repaint();
}

void CTavView::RemovePeak(int k) {
  PeakTable& t = m_state.peaks;
  if (k < 1 || k > t.m_nPeak) return;
  MovePeakSlotToEnd(t, k);
  // The removed peak's constraints go with it: the peaks after it keep theirs.
  std::vector<std::array<ParameterConstraint, kMaxPeakParameters>>& held =
      m_state.fit.constraints.peaks;
  if (static_cast<std::size_t>(k) < held.size()) held.erase(held.begin() + k);
  --t.m_nPeak;
  DropReport();
  if (t.m_curPeak > k || (t.m_curPeak == k && k > t.m_nPeak)) --t.m_curPeak;
  CalibrationState& c = m_state.calibration;
  RenumberAfterRemoval(c.williamsonHallExcluded, k);
  RenumberAfterRemoval(c.williamsonHallIncluded, k);
}

int CTavView::PeakMarkerNear(int px, int tolerance) const {
  const DisplayRange& r = m_state.range;
  if (r.m_xMax == r.m_xMin) return 0;
  const PlotMapping m = Mapping();
  const PlotLayout& l = m.Layout();
  int nearest = 0;
  int best = tolerance + 1;
  for (int k = 1; k <= m_state.peaks.m_nPeak; ++k) {
    const int marker = m.XToPixel(m_state.peaks.m_position[k]);
    // A marker clipped away is not on screen to be pointed at.
    if (m_plotOptions.clip && (marker < l.left || marker >= l.right)) continue;
    const int distance = std::abs(marker - px);
    if (distance < best) {
      best = distance;
      nearest = k;
    }
  }
  return nearest;
}

void CTavView::OnKeyDown(unsigned key) {
  PeakTable& t = m_state.peaks;
  // m_curPeak lies in 1..m_nPeak whenever peaks exist; the bounds test only
  // keeps the factor index safe should that ever not hold.
  const bool selected = t.m_nPeak > 0 && t.m_curPeak >= 1 && t.m_curPeak <= t.m_nPeak;
  switch (key) {
    case keys::kW:
      if (selected) t.m_widthFactor[t.m_curPeak] *= kWiden;
      break;
    case keys::kN:
      if (selected) t.m_widthFactor[t.m_curPeak] *= kNarrow;
      break;
    case keys::kRight:
      if (t.m_nPeak > 0 && t.m_curPeak + 1 <= t.m_nPeak) ++t.m_curPeak;
      break;
    case keys::kLeft:
      if (t.m_nPeak > 0 && t.m_curPeak - 1 >= 1) --t.m_curPeak;
      break;
    default:
      break;
  }
  Repaint();
}

bool CTavView::IsRangeSetChecked() const {
  return m_state.modes.m_bPeakMode == 0 && m_state.modes.m_dragState != DragState::Disarmed;
}
bool CTavView::IsPeakPositionChecked() const { return m_state.modes.m_bPeakMode == 1; }
bool CTavView::IsLsqStartEnabled() const { return m_state.peaks.m_nPeak > 0; }
bool CTavView::IsSaveResultEnabled() const { return m_state.peaks.m_bFitted == 1; }
bool CTavView::IsReportEnabled() const { return m_state.report.has_value(); }
