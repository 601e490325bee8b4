#include "fit/ParameterCovariance.h"

#include <cmath>
#include <utility>

#include "fit/Allocators.h"
#include "fit/Curvature.h"
#include "fit/Fatal.h"
#include "fit/Gaussj.h"
#include "fit/PeakModel.h"
#include "text/Translate.h"

namespace {

// The reason a covariance is unknown, as a note: "uncertainties unknown: WHY".
ParameterCovariance UnknownBecause(const std::string& why) {
  return ParameterCovariance::Unknown(
      TranslatedFormat(QT_TRANSLATE_NOOP("tav", "不確かさは求められません: %1"), {why}));
}

// The normal matrix JᵀJ and χ² at a, all parameters fitted, unit weights.
NormalEquations NormalEquationsAt(const double x[], const double y[], int npt, const double a[],
                                  int npar, const PeakModel& model, const Weighting& weighting) {
  std::vector<double> sig(static_cast<std::size_t>(npt) + 1, 1.0);
  if (weighting.sig != nullptr) sig.assign(weighting.sig, weighting.sig + npt + 1);
  std::vector<int> lista(static_cast<std::size_t>(npar) + 1);
  for (int k = 1; k <= npar; ++k) lista[k] = k;
  std::vector<double> beta(static_cast<std::size_t>(npar) + 1);
  double** alpha = matrix(1, npar, 1, npar);
  ReleaseOnExit releaseAlpha([&] { release_matrix(alpha, 1, npar, 1, npar); });
  NormalEquations normal;
  curvature(x, y, sig.data(), npt, a, npar, lista.data(), npar, alpha, beta.data(), normal.chisq,
            model);
  normal.npar = npar;
  normal.alpha.reserve(static_cast<std::size_t>(npar) * static_cast<std::size_t>(npar));
  for (int j = 1; j <= npar; ++j) {
    for (int k = 1; k <= npar; ++k) normal.alpha.push_back(alpha[j][k]);
  }
  return normal;
}

ParameterCovariance TooFewPoints(int npt, int npar) {
  return UnknownBecause(
      TranslatedFormat(QT_TRANSLATE_NOOP("tav", "データ点 %1 個に対しパラメータが %2 個です"),
                       {std::to_string(npt), std::to_string(npar)}));
}

ParameterCovariance NoInverse(const FitFailure& failure) {
  return UnknownBecause(TranslatedFormat(
      QT_TRANSLATE_NOOP("tav", "正規方程式の行列の逆行列がありません (%1)"), {failure.what()}));
}

// Inverts alpha[1..n][1..n] in place (gaussj, with an unused right-hand side).
void Invert(double** alpha, int n) {
  double** rhs = matrix(1, n, 1, 1);
  ReleaseOnExit releaseRhs([&] { release_matrix(rhs, 1, n, 1, 1); });
  for (int j = 1; j <= n; ++j) rhs[j][1] = 0.0;
  gaussj(alpha, n, rhs, 1);
}

// The scaled inverse, made exactly symmetric.
ParameterCovariance Scaled(double** inverse, int npar, double scale) {
  ParameterCovariance c = ParameterCovariance::Zero(npar);
  for (int j = 1; j <= npar; ++j) {
    for (int k = 1; k <= j; ++k) c.Set(j, k, 0.5 * (inverse[j][k] + inverse[k][j]) * scale);
  }
  return c;
}

bool VariancesAreValid(const ParameterCovariance& c) {
  for (int k = 1; k <= c.Size(); ++k) {
    if (!std::isfinite(c(k, k)) || c(k, k) < 0.0) return false;
  }
  return true;
}

}  // namespace

ParameterCovariance ParameterCovariance::Unknown(std::string reason) {
  ParameterCovariance c;
  c.m_reason = std::move(reason);
  return c;
}

ParameterCovariance ParameterCovariance::Zero(int npar) {
  ParameterCovariance c;
  c.m_known = true;
  c.m_npar = npar;
  c.m_elements.assign(static_cast<std::size_t>(npar) * static_cast<std::size_t>(npar), 0.0);
  return c;
}

void ParameterCovariance::Set(int j, int k, double value) {
  m_elements[Offset(j, k)] = value;
  m_elements[Offset(k, j)] = value;
}

std::optional<double> ParameterCovariance::StandardUncertainty(int k) const {
  if (!Known()) return std::nullopt;
  return std::sqrt((*this)(k, k));
}

std::optional<double> ParameterCovariance::Propagate(const std::vector<double>& gradient) const {
  if (!Known()) return std::nullopt;
  double variance = 0.0;
  for (int j = 1; j <= m_npar; ++j) {
    if (gradient[j] == 0.0) continue;
    double row = 0.0;
    for (int k = 1; k <= m_npar; ++k) row += (*this)(j, k) * gradient[k];
    variance += gradient[j] * row;
  }
  // Rounding may take an exact zero a little below it.
  const double sigma = std::sqrt(variance < 0.0 ? 0.0 : variance);
  if (!std::isfinite(sigma)) return std::nullopt;
  return sigma;
}

ParameterCovariance EstimateCovariance(const double x[], const double y[], int npt,
                                       const double a[], int npar, const PeakModel& model,
                                       const Weighting& weighting) {
  if (npt <= npar) return TooFewPoints(npt, npar);
  NormalEquations normal;
  try {
    normal = NormalEquationsAt(x, y, npt, a, npar, model, weighting);
  } catch (const FitFailure& failure) {
    return NoInverse(failure);
  }
  return CovarianceOfNormalEquations(normal, npt, weighting.Absolute());
}

ParameterCovariance CovarianceOfNormalEquations(const NormalEquations& normal, int npt,
                                                bool absolute) {
  const int npar = normal.npar;
  if (npt <= npar) return TooFewPoints(npt, npar);
  double** alpha = matrix(1, npar, 1, npar);
  ReleaseOnExit releaseAlpha([&] { release_matrix(alpha, 1, npar, 1, npar); });
  for (int j = 1; j <= npar; ++j) {
    for (int k = 1; k <= npar; ++k) {
      alpha[j][k] = normal.alpha[static_cast<std::size_t>((j - 1) * npar + k - 1)];
    }
  }
  try {
    Invert(alpha, npar);
  } catch (const FitFailure& failure) {
    return NoInverse(failure);
  }
  if (!std::isfinite(normal.chisq)) {
    return UnknownBecause(Translated(QT_TRANSLATE_NOOP("tav", "χ² が有限の値ではありません")));
  }
  const ParameterCovariance c = Scaled(alpha, npar, absolute ? 1.0 : normal.chisq / (npt - npar));
  if (!VariancesAreValid(c)) {
    return UnknownBecause(Translated(QT_TRANSLATE_NOOP("tav", "負または有限でない分散があります")));
  }
  return c;
}
