// The two fitting commands: the fit conditions and the fit itself.
#include <optional>
#include <string>
#include <utility>

#include "commands/Commands.h"
#include "commands/FitMessage.h"
#include "commands/PeakFit.h"
#include "fit/PeakModel.h"
#include "text/NumberText.h"
#include "view/Host.h"
#include "view/TavView.h"

namespace {

void ApplyWidthFromData(CTavView& view, bool fromData) {
  FitOptions options = view.Options();
  options.m_widthFromData = fromData;
  view.SetFitOptions(options);
}

void ApplyStepMessages(CTavView& view, bool boxes) {
  FitOptions options = view.Options();
  options.m_stepMessages = boxes;
  view.SetFitOptions(options);
}

// The doublet option as asked, or a message and no change when it cannot be
// turned on.
bool ApplyDoublet(CTavView& view, bool on, std::optional<double> ratio) {
  const Wavelengths& w = view.GetDocument().m_wavelengths;
  if (on && (!w.lambda1 || !w.lambda2)) {
    view.GetHost().ReportFailure(kDoubletNeedsWavelengths);
    return false;
  }
  FitOptions options = view.Options();
  options.m_doublet = on;
  if (on) options.m_doubletRatio = ratio;
  view.SetFitOptions(options);
  return true;
}

// The weights as asked, or a message and no change for σ weights of a
// profile without uncertainties.
bool ApplyWeights(CTavView& view, FitWeights weights) {
  if (weights == FitWeights::kSigma && view.GetDocument().m_sigma.empty()) {
    view.GetHost().ReportFailure(kSigmaWeightsNeedUncertainties);
    return false;
  }
  FitProblem problem = view.Problem();
  problem.weights = weights;
  view.SetFitProblem(problem);
  return true;
}

}  // namespace

// The dialog shows the view's fit problem: what was last accepted, or what
// an undo restored.
FitConditions ConditionsOf(const FitProblem& problem) {
  return FitConditions{problem.tolerance,
                       problem.shape,
                       problem.options.m_widthFromData,
                       problem.options.m_doublet,
                       problem.options.m_stepMessages,
                       problem.weights,
                       problem.constraints.physicalBounds,
                       problem.maxPeaks,
                       problem.backgroundOrder};
}

void OnLsqCondition(CTavView& view) {
  FitConditions conditions = ConditionsOf(view.Problem());
  if (view.GetHost().FitConditionDialog(conditions)) {
    FitProblem problem = view.Problem();
    problem.tolerance = conditions.tolerance;
    problem.shape = conditions.function;
    view.SetFitProblem(problem);
    ApplyWidthFromData(view, conditions.widthFromData);
    ApplyStepMessages(view, conditions.stepMessages);
    if (conditions.doublet != view.Options().m_doublet) {
      ApplyDoublet(view, conditions.doublet, view.Options().m_doubletRatio);
    }
    if (conditions.weights != view.Problem().weights) ApplyWeights(view, conditions.weights);
    if (conditions.physicalBounds != view.Problem().constraints.physicalBounds) {
      SetPhysicalBounds(view, conditions.physicalBounds);
    }
    if (conditions.maxPeaks != view.Problem().maxPeaks) SetMaxPeaks(view, conditions.maxPeaks);
    SetBackgroundOrder(view, conditions.backgroundOrder);
  }
  // The shape changes how the components are drawn.
  view.Repaint();
}

void OnLsqStart(CTavView& view) {
  Host& host = view.GetHost();
  const PeakFit fit = FitViewPeaks(view, host);
  if (!fit.Succeeded()) {
    // Nothing was written back: the table, background and spectrum stay.
    host.ReportFailure(fit.failure);
    return;
  }
  view.MarkFitted();
  PeakReport report = ReportOfFit(view, fit);
  host.MessageBox(
      view.Options().m_detailedMessage ? DetailedFitMessage(report) : NumberText(fit.a[1]),
      MessageIcon::Exclamation);
  view.StoreFittedParameters(fit.a, fit.background);
  view.StoreReport(std::move(report));
  view.Repaint();
}

void SetInitialWidthFromData(CTavView& view, bool fromData) {
  ApplyWidthFromData(view, fromData);
  // Placed peaks are drawn with their starting widths.
  view.Repaint();
}

bool SetDoublet(CTavView& view, bool on, std::optional<double> ratio) {
  if (!ApplyDoublet(view, on, ratio)) return false;
  view.Repaint();
  return true;
}

void SetStepMessages(CTavView& view, bool boxes) { ApplyStepMessages(view, boxes); }

void SetDetailedFitMessage(CTavView& view, bool detailed) {
  FitOptions options = view.Options();
  options.m_detailedMessage = detailed;
  view.SetFitOptions(options);
}

bool SetFitWeights(CTavView& view, FitWeights weights) { return ApplyWeights(view, weights); }
