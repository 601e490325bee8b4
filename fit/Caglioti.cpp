#include "fit/Caglioti.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "fit/WeightedLeastSquares.h"
#include "text/Translate.h"

namespace {

constexpr int kTerms = 3;

double TanTheta(double twoTheta) { return std::tan(0.25 * twoTheta * std::numbers::pi / 90.0); }

bool PositiveFinite(double v) { return std::isfinite(v) && v > 0.0; }

bool UsableForWidth(const CalibrationPeak& p) {
  return PositiveFinite(p.fwhm) && PositiveFinite(p.fwhmError) && p.position > 0.0 &&
         p.position < 180.0;
}

bool UsableForMixing(const CalibrationPeak& p, int shape) {
  return UsableForWidth(p) && p.shape == shape && p.shapeParameter &&
         std::isfinite(*p.shapeParameter) && p.shapeParameterError &&
         PositiveFinite(*p.shapeParameterError);
}

// The mixing line of the shape of the first peak with a known η (or m),
// over the peaks of that shape.
std::optional<MixingLine> FitMixing(const std::vector<CalibrationPeak>& peaks) {
  for (const CalibrationPeak& first : peaks) {
    if (!UsableForMixing(first, first.shape)) continue;
    Matrix rows;
    std::vector<double> y, sigma;
    for (const CalibrationPeak& p : peaks) {
      if (!UsableForMixing(p, first.shape)) continue;
      rows.push_back({1.0, p.position});
      y.push_back(*p.shapeParameter);
      sigma.push_back(*p.shapeParameterError);
    }
    const std::optional<LinearFit> fit = FitWeightedLinear(rows, y, sigma);
    if (!fit) return std::nullopt;
    const int n = static_cast<int>(rows.size());
    const double scale = ScatterFactor(fit->chisq, n, 2);
    MixingLine line;
    line.shape = first.shape;
    line.intercept = fit->parameters[0];
    line.slope = fit->parameters[1];
    for (int i = 0; i < 2; ++i) {
      for (int j = 0; j < 2; ++j) line.covariance[i][j] = fit->covariance[i][j] * scale;
    }
    return line;
  }
  return std::nullopt;
}

std::string Refusal(const char* text) { return Translated(text); }

}  // namespace

std::array<double, 3> CagliotiTerms(double twoTheta) {
  const double t = TanTheta(twoTheta);
  return {t * t, t, 1.0};
}

double ResolutionFunction::FwhmSquaredAt(double twoTheta) const {
  const std::array<double, 3> g = CagliotiTerms(twoTheta);
  return u * g[0] + v * g[1] + w * g[2];
}

double ResolutionFunction::FwhmAt(double twoTheta) const {
  const double squared = FwhmSquaredAt(twoTheta);
  return squared > 0.0 ? std::sqrt(squared) : std::numeric_limits<double>::quiet_NaN();
}

double ResolutionFunction::FwhmErrorAt(double twoTheta) const {
  const std::array<double, 3> g = CagliotiTerms(twoTheta);
  double variance = 0.0;
  for (int i = 0; i < kTerms; ++i) {
    for (int j = 0; j < kTerms; ++j) variance += g[i] * covariance[i][j] * g[j];
  }
  // σ(FWHM) = σ(FWHM²) / (2·FWHM).
  return std::sqrt(std::max(variance, 0.0)) / (2.0 * FwhmAt(twoTheta));
}

bool FwhmSquaredPositiveOver(const ResolutionFunction& f, double minTwoTheta, double maxTwoTheta) {
  // A quadratic in t = tan θ, which rises with 2θ: its least value over the
  // range is at an end or at its vertex.
  const double t0 = TanTheta(minTwoTheta);
  const double t1 = TanTheta(maxTwoTheta);
  auto value = [&](double t) { return f.u * t * t + f.v * t + f.w; };
  if (!(value(t0) > 0.0) || !(value(t1) > 0.0)) return false;
  if (f.u > 0.0) {
    const double vertex = -f.v / (2.0 * f.u);
    if (vertex > t0 && vertex < t1 && !(value(vertex) > 0.0)) return false;
  }
  return true;
}

ResolutionFit FitResolution(const std::vector<CalibrationPeak>& peaks) {
  ResolutionFit result;
  Matrix rows;
  std::vector<double> y, sigma;
  double lo = 180.0, hi = 0.0;
  for (const CalibrationPeak& p : peaks) {
    if (!UsableForWidth(p)) continue;
    const std::array<double, 3> g = CagliotiTerms(p.position);
    rows.push_back({g[0], g[1], g[2]});
    y.push_back(p.fwhm * p.fwhm);
    sigma.push_back(2.0 * p.fwhm * p.fwhmError);
    lo = std::min(lo, p.position);
    hi = std::max(hi, p.position);
  }
  if (rows.size() < kTerms) {
    result.refusal = Refusal(QT_TRANSLATE_NOOP(
        "tav",
        "半値幅とその不確かさが求められたピークが 3 本未満のため、装置関数は求められません"));
    return result;
  }
  const std::optional<LinearFit> fit = FitWeightedLinear(rows, y, sigma);
  if (!fit) {
    result.refusal = Refusal(QT_TRANSLATE_NOOP(
        "tav",
        "ピークの角度が近すぎて U, V, W が定まらない（特異な）ため、装置関数は求められません"));
    return result;
  }
  const int n = static_cast<int>(rows.size());
  const double scale = ScatterFactor(fit->chisq, n, kTerms);
  ResolutionFunction f;
  f.u = fit->parameters[0];
  f.v = fit->parameters[1];
  f.w = fit->parameters[2];
  for (int i = 0; i < kTerms; ++i) {
    for (int j = 0; j < kTerms; ++j) f.covariance[i][j] = fit->covariance[i][j] * scale;
  }
  f.minTwoTheta = lo;
  f.maxTwoTheta = hi;
  f.peaks = n;
  f.reducedChisq =
      n > kTerms ? fit->chisq / (n - kTerms) : std::numeric_limits<double>::quiet_NaN();
  if (!FwhmSquaredPositiveOver(f, lo, hi)) {
    result.refusal = Refusal(QT_TRANSLATE_NOOP(
        "tav", "求めた関数の半値幅の 2 乗が校正範囲で正にならないため、装置関数として使えません"));
    return result;
  }
  f.mixing = FitMixing(peaks);
  result.function = f;
  return result;
}
