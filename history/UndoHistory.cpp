#include "history/UndoHistory.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <utility>

#include "fit/PeakModel.h"
#include "view/TavView.h"

namespace {

// Everything of the document but its points (the arrays and uncertainties).
void CopyHeader(const CTavDoc& from, CTavDoc& to) {
  to.m_nData = from.m_nData;
  to.m_yMax = from.m_yMax;
  to.m_yMin = from.m_yMin;
  to.m_start = from.m_start;
  to.m_step = from.m_step;
  to.m_stop = from.m_stop;
  to.m_format = from.m_format;
  to.m_path = from.m_path;
  to.m_sample = from.m_sample;
  to.m_startTime = from.m_startTime;
  to.m_wavelengths = from.m_wavelengths;
  to.m_wavelengthSource = from.m_wavelengthSource;
  to.m_scan = from.m_scan;
  to.m_scans = from.m_scans;
  to.m_xQuantity = from.m_xQuantity;
  to.m_xUnit = from.m_xUnit;
  to.m_asRead = from.m_asRead;
}

bool SameHeader(const CTavDoc& a, const CTavDoc& b) {
  return a.m_nData == b.m_nData && a.m_yMax == b.m_yMax && a.m_yMin == b.m_yMin &&
         a.m_start == b.m_start && a.m_step == b.m_step && a.m_stop == b.m_stop &&
         a.m_format == b.m_format && a.m_path == b.m_path && a.m_sample == b.m_sample &&
         a.m_startTime == b.m_startTime && a.m_wavelengths == b.m_wavelengths &&
         a.m_wavelengthSource == b.m_wavelengthSource && a.m_scan == b.m_scan &&
         a.m_scans == b.m_scans && a.m_xQuantity == b.m_xQuantity && a.m_xUnit == b.m_xUnit &&
         a.m_asRead == b.m_asRead;
}

// Whether two arrays hold the same bits (NaN equal to itself).
bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::equal(a.begin(), a.end(), b.begin(), [](double p, double q) {
            return p == q ? std::signbit(p) == std::signbit(q) : (p != p && q != q);
          }));
}

// The peak table without the selection, which does not make a step.
PeakTable WithoutSelection(const PeakTable& table) {
  PeakTable t = table;
  t.m_curPeak = 0;
  return t;
}

// Whether two view states differ in what makes a step: everything but the
// modes, the selected peak and the report (which follows the rest and is
// compared by its revision).
bool SameView(const ViewState& a, const ViewState& b) {
  return a.range == b.range && WithoutSelection(a.peaks) == WithoutSelection(b.peaks) &&
         a.reading == b.reading && a.background == b.background && a.fit == b.fit &&
         a.m_bPolarized == b.m_bPolarized && a.scherrer == b.scherrer &&
         a.defaultWavelengths == b.defaultWavelengths && a.calibration == b.calibration;
}

}  // namespace

UndoHistory::UndoHistory(std::size_t maxSteps, std::size_t maxBytes)
    : m_maxSteps(std::max<std::size_t>(maxSteps, 1)), m_maxBytes(maxBytes) {}

const UndoHistory::SharedPoints& UndoHistory::CurrentPoints(const CTavView& view) {
  const CTavDoc& doc = view.GetDocument();
  if (!m_points || m_points->nData != doc.m_nData || !SameBits(m_points->x, doc.m_x) ||
      !SameBits(m_points->y, doc.m_y) || !SameBits(m_points->sigma, doc.m_sigma) ||
      !SameBits(m_points->countSigma, doc.m_countSigma)) {
    m_points = std::make_shared<const Points>(
        Points{doc.m_nData, doc.m_x, doc.m_y, doc.m_sigma, doc.m_countSigma});
  }
  return m_points;
}

UndoHistory::Snapshot UndoHistory::Capture(const CTavView& view) const {
  Snapshot s;
  s.view = view.State();
  CopyHeader(view.GetDocument(), s.header);
  s.points = m_points;
  s.reportRevision = view.ReportRevision();
  return s;
}

void UndoHistory::Begin(const CTavView& view) {
  CurrentPoints(view);
  m_pending = Capture(view);
  // A step taken in the middle of a rubber band drag goes back to before its
  // press.
  InputModes& modes = m_pending->view.modes;
  if (modes.m_dragState == DragState::Dragging) modes.m_dragState = DragState::Armed;
}

void UndoHistory::End(const CTavView& view) {
  if (!m_pending) return;
  CurrentPoints(view);
  const Snapshot after = Capture(view);
  if (Changed(*m_pending, after)) {
    m_undo.push_back(std::move(*m_pending));
    m_redo.clear();
    Trim();
    ++m_revision;
  }
  m_pending.reset();
}

bool UndoHistory::Changed(const Snapshot& before, const Snapshot& after) const {
  return before.points != after.points || before.reportRevision != after.reportRevision ||
         !SameHeader(before.header, after.header) || !SameView(before.view, after.view);
}

void UndoHistory::Restore(const Snapshot& snapshot, CTavView& view) {
  CTavDoc& doc = view.GetDocument();
  CopyHeader(snapshot.header, doc);
  if (snapshot.points != m_points) {
    doc.m_x = snapshot.points->x;
    doc.m_y = snapshot.points->y;
    doc.m_sigma = snapshot.points->sigma;
    doc.m_countSigma = snapshot.points->countSigma;
    m_points = snapshot.points;
  }
  view.RestoreState(snapshot.view);
}

bool UndoHistory::Undo(CTavView& view) { return Move(m_undo, m_redo, view); }

bool UndoHistory::Redo(CTavView& view) { return Move(m_redo, m_undo, view); }

bool UndoHistory::Move(Steps& from, Steps& to, CTavView& view) {
  if (from.empty() || m_pending) return false;
  CurrentPoints(view);
  to.push_back(Capture(view));
  Restore(from.back(), view);
  from.pop_back();
  Trim();
  ++m_revision;
  return true;
}

void UndoHistory::Clear() {
  m_undo.clear();
  m_redo.clear();
  m_pending.reset();
}

std::size_t UndoHistory::HeldPointBytes() const {
  std::unordered_set<const Points*> seen;
  std::size_t bytes = 0;
  const auto count = [&](const Snapshot& s) {
    const Points* p = s.points.get();
    if (p == nullptr || p == m_points.get() || !seen.insert(p).second) return;
    bytes += (p->x.capacity() + p->y.capacity() + p->sigma.capacity() + p->countSigma.capacity()) *
             sizeof(double);
  };
  for (const Snapshot& s : m_undo) count(s);
  for (const Snapshot& s : m_redo) count(s);
  return bytes;
}

void UndoHistory::Trim() {
  while (m_undo.size() > m_maxSteps) m_undo.pop_front();
  while (m_undo.size() > 1 && HeldPointBytes() > m_maxBytes) m_undo.pop_front();
}
