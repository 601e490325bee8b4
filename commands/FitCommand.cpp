// The two fitting commands: the fit conditions and the fit itself.
#include <cmath>
#include <new>
#include <string>
#include <vector>

#include "commands/Commands.h"
#include "fit/Allocators.h"
#include "fit/Fatal.h"
#include "fit/KAlphaDoublet.h"
#include "fit/Mrqmin.h"
#include "fit/PeakModel.h"
#include "fit/PeakReport.h"
#include "text/NumberText.h"
#include "view/Host.h"
#include "view/PeakParameters.h"
#include "view/TavView.h"

namespace {

// What the dialog shows when a run starts.
constexpr FitConditions kFirstConditions{0.001, kLorentzian};

// The last accepted dialog values, kept for the whole run apart from the
// view's m_tolerance and g_function.
FitConditions g_rememberedConditions = kFirstConditions;

constexpr int kStepCalls = 10;

// The fit window as the minimiser takes it, 1-based; every weight is 1.
struct FitData {
  std::vector<double> x{0.0};
  std::vector<double> y{0.0};
  std::vector<double> sig{0.0};
  int npt = 0;
};

FitData CollectFitWindow(const CTavView& view) {
  FitData data;
  const CTavDoc& doc = view.GetDocument();
  for (const int i : view.FitWindow()) {
    data.x.push_back(doc.m_x[i]);
    data.y.push_back(doc.m_y[i]);
    data.sig.push_back(1.0);
  }
  data.npt = static_cast<int>(data.x.size()) - 1;
  return data;
}

constexpr const char* kDoubletNeedsWavelengths =
    "Kα1/Kα2 の二重線には波長 λ1 と λ2 が必要です。波長・Scherrer設定で入力してください。";

std::string TooFewPointsText(int npt, int npar) {
  return "フィットする範囲の点が少なすぎます: " + std::to_string(npt) + " 点, パラメータ " +
         std::to_string(npar) + " 個";
}

// The starting parameters: the last fit's values while one is on screen,
// otherwise the placed peaks above a flat background at the first point.
std::vector<double> InitialParameters(const CTavView& v, const FitData& data) {
  std::vector<double> a(ParameterCount(v) + 1, 0.0);
  if (v.Peaks().m_bFitted == 1) {
    FillFittedParameters(v, a.data());
  } else {
    FillPlacedParameters(v, data.y[1], a.data());
  }
  return a;
}

// The starting call and up to ten step calls, with a message after each step
// call: converged when an accepted step lowered chi-square by less than the
// tolerance's share of it, otherwise not (yet). Throws FitFailure; the
// minimiser's storage is released either way.
// How the step calls ended.
struct FitOutcome {
  bool converged = false;
  int steps = 0;
};

FitOutcome RunMinimiser(const FitData& data, std::vector<double>& a, double tolerance, Host& host) {
  const int npar = static_cast<int>(a.size()) - 1;
  std::vector<int> lista(npar + 1);
  for (int k = 1; k <= npar; ++k) lista[k] = k;
  const int nfit = npar;
  double lambda = -1.0;
  double chisq = 0.0;
  double** covar = matrix(1, npar, 1, npar);
  ReleaseOnExit releaseCovar([&] { release_matrix(covar, 1, npar, 1, npar); });
  double** alpha = matrix(1, npar, 1, npar);
  ReleaseOnExit releaseAlpha([&] { release_matrix(alpha, 1, npar, 1, npar); });
  ReleaseOnExit closeSequence([] { mrqmin_abandon(); });

  const auto step = [&] {
    mrqmin(data.x.data(), data.y.data(), data.sig.data(), data.npt, a.data(), npar, lista.data(),
           nfit, covar, alpha, chisq, peakmodel, lambda);
  };
  step();
  double prev = chisq;
  FitOutcome outcome;
  for (int iteration = 1; iteration <= kStepCalls; ++iteration) {
    const double lambdaBefore = lambda;
    step();
    outcome.steps = iteration;
    // A rejected trial raises lambda and leaves a and chisq as they were: it
    // says nothing about convergence, and the next call tries a shorter step.
    const bool accepted = lambda < lambdaBefore;
    if (accepted && std::sqrt((prev - chisq) * (prev - chisq)) < prev * tolerance) {
      host.MessageBox("収束しました");
      outcome.converged = true;
      break;
    }
    host.MessageBox("収束していません");
    prev = chisq;
  }
  return outcome;
}

// The report of the fit just written back, over the same window.
PeakReport ReportOfFit(const CTavView& view, const FitData& data, const std::vector<double>& a,
                       const FitOutcome& outcome) {
  const int npar = static_cast<int>(a.size()) - 1;
  PeakReport report = MakePeakReport(data.x.data(), data.y.data(), data.npt, a.data(), npar,
                                     g_function, ReportSettingsOf(view));
  report.statistics.converged = outcome.converged;
  report.statistics.steps = outcome.steps;
  return report;
}

void ApplyWidthFromData(CTavView& view, bool fromData) {
  FitOptions options = view.Options();
  options.m_widthFromData = fromData;
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

}  // namespace

void ForgetFitConditions() { g_rememberedConditions = kFirstConditions; }

void OnLsqCondition(CTavView& view) {
  FitConditions conditions = g_rememberedConditions;
  conditions.widthFromData = view.Options().m_widthFromData;
  conditions.doublet = view.Options().m_doublet;
  if (view.GetHost().FitConditionDialog(conditions)) {
    g_rememberedConditions = conditions;
    view.SetTolerance(conditions.tolerance);
    g_function = conditions.function;
    ApplyWidthFromData(view, conditions.widthFromData);
    if (conditions.doublet != view.Options().m_doublet) {
      ApplyDoublet(view, conditions.doublet, view.Options().m_doubletRatio);
    }
  }
  // The shape changes how the components are drawn.
  view.Repaint();
}

void OnLsqStart(CTavView& view) {
  Host& host = view.GetHost();
  const FitData data = CollectFitWindow(view);
  if (data.npt == 0) {
    host.ReportFailure("フィットする範囲にデータがありません");
    return;
  }
  // A model with as many parameters as points fits them all at once and
  // settles nothing.
  if (const int npar = ParameterCount(view); data.npt <= npar) {
    host.ReportFailure(TooFewPointsText(data.npt, npar));
    return;
  }
  if (DoubletLacksWavelengths(view)) {
    host.ReportFailure(kDoubletNeedsWavelengths);
    return;
  }
  const ScopedDoublet lines(DoubletLinesOf(view));
  std::vector<double> a = InitialParameters(view, data);
  FitOutcome outcome;
  try {
    outcome = RunMinimiser(data, a, view.Tolerance(), host);
  } catch (const FitFailure& failure) {
    // Nothing was written back: the table, background and spectrum stay.
    host.ReportFailure(std::string("フィッティングできませんでした: ") + failure.what());
    return;
  } catch (const std::bad_alloc&) {
    host.ReportFailure("フィッティングできませんでした: out of memory");
    return;
  }
  view.MarkFitted();
  host.MessageBox(NumberText(a[1]), MessageIcon::Exclamation);
  view.StoreFittedParameters(a);
  view.StoreReport(ReportOfFit(view, data, a, outcome));
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
