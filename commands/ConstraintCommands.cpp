// Held, bounded and shared parameters, and the size of the peak table: each
// a change of the view's fit problem.
#include <algorithm>
#include <limits>

#include "commands/Commands.h"
#include "text/Translate.h"
#include "view/Host.h"
#include "view/TavView.h"

namespace {

// The constraints of every parameter the reference names.
template <class Change>
void ChangeConstraints(CTavView& view, const ParameterRef& ref, Change change) {
  FitProblem problem = view.Problem();
  FitConstraints& c = problem.constraints;
  if (ref.peak == ParameterRef::kBackground) {
    change(c.background[static_cast<std::size_t>(ref.index)]);
  } else if (ref.peak == ParameterRef::kAllPeaks) {
    for (int k = 1; k <= std::max(view.Peaks().m_nPeak, 1); ++k) change(c.Peak(k, ref.index));
  } else {
    change(c.Peak(ref.peak, ref.index));
  }
  view.SetFitProblem(problem);
}

}  // namespace

std::optional<int> ParameterIndexNamed(const CTavView& view, int peak, const std::string& name) {
  if (peak == ParameterRef::kBackground) {
    const int k = BackgroundTermIndex(view.BackgroundOrder(), name);
    if (k < 0) return std::nullopt;
    return k;
  }
  const PeakShape* shape = FindPeakShape(view.Problem().shape);
  if (shape == nullptr) return std::nullopt;
  for (int m = 0; m < shape->parametersPerPeak; ++m) {
    if (name == shape->parameterNames[static_cast<std::size_t>(m)]) return m;
  }
  return std::nullopt;
}

void SetParameterFixed(CTavView& view, const ParameterRef& ref, bool fixed) {
  ChangeConstraints(view, ref, [fixed](ParameterConstraint& c) { c.fixed = fixed; });
}

void SetParameterBounds(CTavView& view, const ParameterRef& ref, double lower, double upper) {
  ChangeConstraints(view, ref, [lower, upper](ParameterConstraint& c) {
    c.lower = lower;
    c.upper = upper;
  });
}

void ClearParameterBounds(CTavView& view, const ParameterRef& ref) {
  SetParameterBounds(view, ref, -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::infinity());
}

void SetSharing(CTavView& view, SharedParameter what, bool shared) {
  FitProblem problem = view.Problem();
  (what == SharedParameter::kWidth ? problem.constraints.shareWidth
                                   : problem.constraints.shareShape) = shared;
  view.SetFitProblem(problem);
}

void SetPhysicalBounds(CTavView& view, bool on) {
  FitProblem problem = view.Problem();
  problem.constraints.physicalBounds = on;
  view.SetFitProblem(problem);
}

bool SetBackgroundOrder(CTavView& view, int order) {
  if (order < kMinBackgroundOrder || order > kMaxBackgroundOrder) return false;
  FitProblem problem = view.Problem();
  if (order == problem.backgroundOrder) return true;
  problem.backgroundOrder = order;
  // The constraints named terms of the other basis.
  problem.constraints.background = FitConstraints{}.background;
  view.SetFitProblem(problem);
  view.Repaint();
  return true;
}

bool SetMaxPeaks(CTavView& view, int peaks) {
  if (peaks < view.Peaks().m_nPeak) {
    view.GetHost().ReportFailure(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "ピークが %1 本置かれているため、表を %2 本にはできません"),
        {std::to_string(view.Peaks().m_nPeak), std::to_string(peaks)}));
    return false;
  }
  FitProblem problem = view.Problem();
  problem.maxPeaks = peaks;
  view.SetFitProblem(problem);
  return true;
}
