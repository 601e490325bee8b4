#include "commands/PeakFit.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "commands/Commands.h"
#include "fit/Allocators.h"
#include "fit/Fatal.h"
#include "fit/Mrqmin.h"
#include "fit/ParameterMapping.h"
#include "fit/PeakModel.h"
#include "view/Host.h"
#include "view/PeakParameters.h"
#include "view/TavView.h"

namespace {

constexpr int kStepCalls = 10;

// Point i's σ as the weights take it.
double SigmaOf(const CTavDoc& doc, FitWeights weights, int i) {
  switch (weights) {
    case FitWeights::kUnit:
      return 1.0;
    case FitWeights::kCounts:
      return doc.CountingSigma(i);
    case FitWeights::kSigma:
      return doc.m_sigma[i];
  }
  return 1.0;
}

FitData CollectFitWindow(const CTavView& view) {
  FitData data;
  const CTavDoc& doc = view.GetDocument();
  data.weights = view.Problem().weights;
  const std::vector<int> window = view.FitWindow();
  data.x.reserve(window.size() + 1);
  data.y.reserve(window.size() + 1);
  data.sig.reserve(window.size() + 1);
  for (const int i : window) {
    const double sigma = SigmaOf(doc, data.weights, i);
    if (!(sigma > 0.0) || !std::isfinite(sigma)) {
      ++data.leftOut;
      continue;
    }
    data.x.push_back(doc.m_x[i]);
    data.y.push_back(doc.m_y[i]);
    data.sig.push_back(sigma);
  }
  data.npt = static_cast<int>(data.x.size()) - 1;
  return data;
}

std::string TooFewPointsText(int npt, int npar) {
  return TranslatedFormat(
      QT_TRANSLATE_NOOP("tav", "フィットする範囲の点が少なすぎます: %1 点, パラメータ %2 個"),
      {std::to_string(npt), std::to_string(npar)});
}

// The background over the X range of the points fitted.
BackgroundBasis BackgroundOfFit(const CTavView& v, const FitData& data) {
  const auto [lo, hi] = std::minmax_element(data.x.begin() + 1, data.x.end());
  return BackgroundOver(v.BackgroundOrder(), *lo, *hi);
}

// The starting parameters: the last fit's values while one is on screen
// (its background expanded over this fit's window and order), otherwise the
// placed peaks above a flat background at the first point.
std::vector<double> InitialParameters(const CTavView& v, const FitData& data,
                                      const BackgroundBasis& background) {
  std::vector<double> a(ParameterCount(v) + 1, 0.0);
  if (v.Peaks().m_bFitted == 1) {
    FillFittedParameters(v, a.data(), background);
  } else {
    FillPlacedParameters(v, data.y[1], a.data());
  }
  return a;
}

// A rejected trial from the optimum: it would have changed χ² by no more
// than the tolerance's share of it, and the linearised model predicted no
// larger fall either (a step far from the minimum under heavy damping
// predicts a fall, and a step that raises χ² more is no sign of it).
bool AtOptimum(const MrqminSequence& sequence, double chisq, double tolerance) {
  const double change = sequence.LastTrialChange();
  const double predicted = sequence.LastPredictedReduction();
  return std::isfinite(change) && std::isfinite(predicted) && change <= tolerance * chisq &&
         predicted <= tolerance * chisq;
}

// The minimiser's normal matrix alpha[1..npar][1..npar] and chi-square.
NormalEquations NormalEquationsOf(double** alpha, int npar, double chisq) {
  NormalEquations normal;
  normal.npar = npar;
  normal.chisq = chisq;
  normal.alpha.reserve(static_cast<std::size_t>(npar) * static_cast<std::size_t>(npar));
  for (int j = 1; j <= npar; ++j) {
    for (int k = 1; k <= npar; ++k) normal.alpha.push_back(alpha[j][k]);
  }
  return normal;
}

// The starting call and up to ten step calls, with a message after each step
// call (a box, or the status line): converged when an accepted step lowered chi-square by less than
// the tolerance's share of it, otherwise not (yet). Every parameter is fitted, so alpha and chisq
// stay those at a, in parameter order, and end in normal. Throws FitFailure; the minimiser's
// storage is released either way.
FitOutcome RunMinimiser(const FitData& data, const FitModel& model, std::vector<double>& a,
                        double tolerance, Host& host, bool stepBoxes, NormalEquations& normal,
                        const ParameterMapping* bounds = nullptr) {
  const auto tell = [&](const char* text) {
    if (stepBoxes) {
      host.MessageBox(text);
    } else {
      host.StatusMessage(text);
    }
  };
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
  MrqminSequence sequence;
  if (bounds != nullptr && bounds->HasBounds()) {
    sequence.SetBounds(bounds->Lower(), bounds->Upper());
    // A start outside the bounds begins on them.
    for (int k = 1; k <= npar; ++k) a[k] = std::clamp(a[k], bounds->Lower()[k], bounds->Upper()[k]);
  }

  const auto step = [&] {
    mrqmin(data.x.data(), data.y.data(), data.sig.data(), data.npt, a.data(), npar, lista.data(),
           nfit, covar, alpha, chisq, model, lambda, sequence);
  };
  step();
  double prev = chisq;
  FitOutcome outcome;
  for (int iteration = 1; iteration <= kStepCalls; ++iteration) {
    const double lambdaBefore = lambda;
    step();
    outcome.steps = iteration;
    // A rejected trial raises lambda and leaves a and chisq as they were: it
    // says nothing about convergence, and the next call tries a shorter step,
    // unless the fit stands at its optimum already.
    const bool accepted = lambda < lambdaBefore;
    if ((accepted && std::sqrt((prev - chisq) * (prev - chisq)) < prev * tolerance) ||
        (!accepted && AtOptimum(sequence, chisq, tolerance))) {
      tell(Translated(QT_TRANSLATE_NOOP("tav", "収束しました")).c_str());
      outcome.converged = true;
      break;
    }
    tell(Translated(QT_TRANSLATE_NOOP("tav", "収束していません")).c_str());
    prev = chisq;
  }
  normal = NormalEquationsOf(alpha, npar, chisq);
  return outcome;
}

// The fit of the free parameters the constraints leave: the minimiser works
// on them, the model on all of them; afterwards fit.a holds all of them and
// fit.held says which are held (fixed, or ended on a bound).
void RunConstrained(PeakFit& fit, const PeakModel& model, const CTavView& view, Host& host) {
  const ConstrainedModel constrained(model, fit.mapping, fit.a);
  std::vector<double> p = fit.mapping.Reduce(fit.a);
  if (fit.data.npt <= fit.mapping.Free()) {
    throw FitFailure(TooFewPointsText(fit.data.npt, fit.mapping.Free()));
  }
  fit.outcome = RunMinimiser(fit.data, constrained, p, view.Tolerance(), host,
                             view.Options().m_stepMessages, fit.normal, &fit.mapping);
  fit.a = constrained.FullParameters(p.data());
  // Held: fixed, on a bound, or without any effect on χ² (the position of a
  // peak held at height 0).
  fit.held.assign(fit.a.size(), false);
  const auto nfree = static_cast<std::size_t>(fit.mapping.Free());
  for (int i = 1; i < static_cast<int>(fit.a.size()); ++i) {
    const auto j = static_cast<std::size_t>(fit.mapping.FreeIndexOf(i));
    fit.held[static_cast<std::size_t>(i)] = j == 0 || p[j] <= fit.mapping.Lower()[j] ||
                                            p[j] >= fit.mapping.Upper()[j] ||
                                            fit.normal.alpha[(j - 1) * nfree + (j - 1)] == 0.0;
  }
}

}  // namespace

ParameterMapping MappingOf(const CTavView& view) {
  const FitProblem& problem = view.Problem();
  return ParameterMapping::Build(problem.shape, view.Peaks().m_nPeak,
                                 BackgroundTermCount(problem.backgroundOrder), problem.constraints);
}

PeakFit FitViewPeaks(const CTavView& view, Host& host) {
  PeakFit fit;
  if (view.Problem().weights == FitWeights::kSigma && view.GetDocument().m_sigma.empty()) {
    fit.failure = kSigmaWeightsNeedUncertainties;
    return fit;
  }
  fit.data = CollectFitWindow(view);
  if (fit.data.npt == 0) {
    fit.failure = Translated(QT_TRANSLATE_NOOP("tav", "フィットする範囲にデータがありません"));
    return fit;
  }
  // A model with as many parameters as points fits them all at once and
  // settles nothing.
  if (const int npar = ParameterCount(view); fit.data.npt <= npar) {
    fit.failure = TooFewPointsText(fit.data.npt, npar);
    return fit;
  }
  if (DoubletLacksWavelengths(view)) {
    fit.failure = kDoubletNeedsWavelengths;
    return fit;
  }
  fit.background = BackgroundOfFit(view, fit.data);
  fit.a = InitialParameters(view, fit.data, fit.background);
  try {
    const PeakModel model = ModelOf(view, fit.background);
    fit.mapping = MappingOf(view);
    if (fit.mapping.IsIdentity()) {
      fit.outcome = RunMinimiser(fit.data, model, fit.a, view.Tolerance(), host,
                                 view.Options().m_stepMessages, fit.normal);
    } else {
      RunConstrained(fit, model, view, host);
    }
  } catch (const FitFailure& failure) {
    fit.failure = TranslatedFormat(QT_TRANSLATE_NOOP("tav", "フィッティングできませんでした: %1"),
                                   {failure.what()});
  } catch (const std::bad_alloc&) {
    fit.failure = TranslatedFormat(QT_TRANSLATE_NOOP("tav", "フィッティングできませんでした: %1"),
                                   {"out of memory"});
  }
  return fit;
}

PeakReport ReportOfFit(const CTavView& view, const PeakFit& fit) {
  const int npar = static_cast<int>(fit.a.size()) - 1;
  const Weighting weighting = fit.data.Weights();
  const PeakModel model = ModelOf(view, fit.background);
  PeakReport report =
      fit.held.empty()
          ? MakePeakReport(fit.data.x.data(), fit.data.y.data(), fit.data.npt, fit.a.data(), npar,
                           model, ReportSettingsOf(view), fit.normal, weighting)
          : MakeConstrainedPeakReport(
                fit.data.x.data(), fit.data.y.data(), fit.data.npt, fit.a.data(), npar, model,
                ReportSettingsOf(view),
                ExpandedCovariance(fit.normal, fit.data.npt, weighting.Absolute(), fit.mapping,
                                   fit.held),
                weighting, fit.mapping.Free(), fit.held);
  report.statistics.converged = fit.outcome.converged;
  report.statistics.steps = fit.outcome.steps;
  return report;
}
