#pragma once

#include <string>
#include <vector>

#include "fit/BackgroundBasis.h"
#include "fit/FitWeights.h"
#include "fit/ParameterMapping.h"
#include "fit/PeakReport.h"
#include "text/Translate.h"

class CTavView;
class Host;

// The least-squares fit of a view's peaks to its fit window, as the fit
// command runs it: the starting call and up to ten step calls of the
// minimiser, with a message to the host after each step call. The fit
// command and the series fit both run it.

// The fit window as the minimiser takes it, 1-based, with each point's σ as
// the fit problem's weights give it (all 1 for unit weights). Points whose σ
// is not a positive number are left out, and counted.
struct FitData {
  std::vector<double> x{0.0};
  std::vector<double> y{0.0};
  std::vector<double> sig{0.0};
  int npt = 0;
  FitWeights weights = FitWeights::kUnit;
  int leftOut = 0;

  Weighting Weights() const {
    return {weights, weights == FitWeights::kUnit ? nullptr : sig.data(), leftOut};
  }
};

// The refusal of σ weights for a profile without uncertainties.
inline constexpr MarkedText kSigmaWeightsNeedUncertainties{QT_TRANSLATE_NOOP(
    "tav", "σ の重みには標準不確かさのあるプロファイル (XYE の 3 列目) が必要です")};

// The refusal of a doublet fit without both wavelengths.
inline constexpr MarkedText kDoubletNeedsWavelengths{QT_TRANSLATE_NOOP(
    "tav", "Kα1/Kα2 の二重線には波長 λ1 と λ2 が必要です。波長・Scherrer設定で入力してください。")};

// How the step calls ended.
struct FitOutcome {
  bool converged = false;
  int steps = 0;
};

struct PeakFit {
  // Why nothing was fitted (the text of the failure message), or empty.
  std::string failure;
  FitData data;
  std::vector<double> a;  // the final parameters a[1..npar]
  // The background's order and the window its series spans (the X range of
  // the points fitted).
  BackgroundBasis background;
  // The normal matrix and chi-square at a, as the minimiser ended with them
  // (over the free parameters while constraints hold).
  NormalEquations normal;
  // How the free parameters stand for a, and which of a[1..npar] are held
  // (fixed, or on a bound at the end; empty without constraints).
  ParameterMapping mapping;
  std::vector<bool> held;
  FitOutcome outcome;

  bool Succeeded() const { return failure.empty(); }
};

// Fits the view's peaks (the last fit's values while one is on screen,
// otherwise the placed peaks) to the points of its fit window. Changes
// nothing in the view; the step messages go to host. A window without points,
// with no more points than parameters, a doublet without both wavelengths, or
// a fit the minimiser cannot make gives a failure.
PeakFit FitViewPeaks(const CTavView& view, Host& host);

// The free parameters of the view's fit problem.
ParameterMapping MappingOf(const CTavView& view);

// The peak report of a fit that succeeded, made with the view's report
// settings and its model (the fit problem's shape and the doublet lines).
PeakReport ReportOfFit(const CTavView& view, const PeakFit& fit);
