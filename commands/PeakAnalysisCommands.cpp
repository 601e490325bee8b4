#include <algorithm>
#include <vector>

#include "commands/Calibration.h"
#include "commands/Commands.h"
#include "commands/PeakAnalysis.h"
#include "text/Translate.h"
#include "view/Host.h"
#include "view/PeakParameters.h"
#include "view/TavView.h"

namespace {

PeakSearch SearchFor(const CTavView& view, int maxPeaks, double signalToNoise) {
  const PeakTable& t = view.Peaks();
  PeakSearch search;
  search.signalToNoise = signalToNoise;
  search.maxPeaks = std::min(maxPeaks, view.Problem().maxPeaks - t.m_nPeak);
  for (int k = 1; k <= t.m_nPeak; ++k) search.taken.push_back(t.m_position[k]);
  const DoubletLines doublet = DoubletLinesOf(view);
  if (doublet.on) search.kalpha2WavelengthRatio = doublet.wavelengthRatio;
  return search;
}

}  // namespace

bool IsFindPeaksEnabled(const CTavView& view) {
  return view.GetDocument().m_nData > 0 && view.Peaks().m_nPeak < view.Problem().maxPeaks;
}

int OnFindPeaks(CTavView& view, int maxPeaks, double signalToNoise) {
  if (!IsFindPeaksEnabled(view)) return 0;
  const CTavDoc& doc = view.GetDocument();
  std::vector<double> x, y;
  for (const int i : view.FitWindow()) {
    x.push_back(doc.m_x[i]);
    y.push_back(doc.m_y[i]);
  }
  const std::vector<FoundPeak> found = FindPeaks(x, y, SearchFor(view, maxPeaks, signalToNoise));
  for (const FoundPeak& peak : found) view.PlaceFoundPeak(peak.position, peak.height);
  view.Repaint();
  if (found.empty())
    view.GetHost().MessageBox(
        Translated(QT_TRANSLATE_NOOP("tav", "表示範囲にピークは見つかりませんでした")));
  return static_cast<int>(found.size());
}

std::optional<WilliamsonHall> WilliamsonHallOf(const CTavView& view, BreadthMeasure measure) {
  const PeakReport* report = view.Report();
  if (report == nullptr) return std::nullopt;
  return AnalyseWilliamsonHallOf(view, *report, measure);
}
