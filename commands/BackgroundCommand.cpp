#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "commands/Commands.h"
#include "correct/BackgroundFit.h"
#include "correct/Snip.h"
#include "fit/HalfWidth.h"
#include "text/Translate.h"
#include "view/Host.h"
#include "view/TavView.h"

namespace {

// The points of the fit window, in scan order.
void WindowPoints(const CTavView& view, std::vector<double>& x, std::vector<double>& y) {
  const CTavDoc& doc = view.GetDocument();
  for (const int i : view.FitWindow()) {
    x.push_back(doc.m_x[i]);
    y.push_back(doc.m_y[i]);
  }
}

// The mean step of points in scan order (positive).
double MeanStep(const std::vector<double>& x) {
  return std::fabs(x.back() - x.front()) / static_cast<double>(x.size() - 1);
}

}  // namespace

void OnBackRemove(CTavView& view) {
  std::vector<double> cx;
  std::vector<double> cy;
  WindowPoints(view, cx, cy);
  std::vector<double> binX;
  std::vector<double> binY;
  bgfit::MakeBins(cx, cy, binX, binY);
  bgfit::ClipBins(binY);
  view.ShowBackgroundBins(binX, binY);

  // Too few points for a bin: the coefficients already held stay.
  if (!binX.empty()) {
    const bgfit::CubicFit fit = bgfit::FitCubic(binX, binY);
    if (fit.zeroPivot) {
      view.GetHost().ReportFailure(Translated(QT_TRANSLATE_NOOP("tav", "これはだめです")));
      view.HideBackgroundEstimate();
    }
    view.SetBaseline(fit.coef);
    view.SetBaselineSpan(view.Range().m_xMin, view.Range().m_xMax);
  }
  view.Repaint();
}

double DefaultSnipWidth(const std::vector<double>& x, const std::vector<double>& y) {
  const double step = MeanStep(x);
  const std::size_t top =
      static_cast<std::size_t>(std::max_element(y.begin(), y.end()) - y.begin());
  const double hwhm = std::max(MeasureHalfWidth(x, y, x[top]).value_or(0.0), 2.0 * step);
  return kSnipWidthPerHalfWidth * hwhm;
}

bool OnBackSnip(CTavView& view, std::optional<double> width) {
  std::vector<double> x;
  std::vector<double> y;
  WindowPoints(view, x, y);
  if (x.size() < 3 || x.front() == x.back()) {
    view.GetHost().ReportFailure(Translated(
        QT_TRANSLATE_NOOP("tav", "表示範囲の点が少なすぎて、バックグラウンドを推定できません")));
    return false;
  }
  const double w = width.value_or(DefaultSnipWidth(x, y));
  const long halfWidth = std::lround(w / MeanStep(x));
  const int points = static_cast<int>(std::clamp<long>(halfWidth, 1, static_cast<long>(x.size())));
  std::vector<double> baseline = snip::Baseline(y, points);
  // Kept with X ascending, as drawing and subtraction look it up.
  if (x.front() > x.back()) {
    std::reverse(x.begin(), x.end());
    std::reverse(baseline.begin(), baseline.end());
  }
  view.ShowSnipBaseline(std::move(x), std::move(baseline), view.Range().m_xMin,
                        view.Range().m_xMax);
  view.Repaint();
  return true;
}
