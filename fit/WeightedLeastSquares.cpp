#include "fit/WeightedLeastSquares.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace {

constexpr double kSingularPivot = 1e-12;

bool Usable(double sigma) { return std::isfinite(sigma) && sigma > 0.0; }

}  // namespace

std::optional<Matrix> InvertSymmetric(const Matrix& m) {
  const std::size_t n = m.size();
  Matrix a = m;
  Matrix inv(n, std::vector<double>(n, 0.0));
  for (std::size_t i = 0; i < n; ++i) inv[i][i] = 1.0;
  double scale = 0.0;
  for (std::size_t i = 0; i < n; ++i) scale = std::max(scale, std::fabs(a[i][i]));
  if (!(scale > 0.0) || !std::isfinite(scale)) return std::nullopt;
  for (std::size_t col = 0; col < n; ++col) {
    std::size_t pivot = col;
    for (std::size_t r = col + 1; r < n; ++r) {
      if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
    }
    if (!(std::fabs(a[pivot][col]) > kSingularPivot * scale)) return std::nullopt;
    std::swap(a[pivot], a[col]);
    std::swap(inv[pivot], inv[col]);
    const double d = a[col][col];
    for (std::size_t j = 0; j < n; ++j) {
      a[col][j] /= d;
      inv[col][j] /= d;
    }
    for (std::size_t r = 0; r < n; ++r) {
      if (r == col) continue;
      const double f = a[r][col];
      if (f == 0.0) continue;
      for (std::size_t j = 0; j < n; ++j) {
        a[r][j] -= f * a[col][j];
        inv[r][j] -= f * inv[col][j];
      }
    }
  }
  return inv;
}

std::optional<LinearFit> FitWeightedLinear(const Matrix& rows, const std::vector<double>& y,
                                           const std::vector<double>& sigma) {
  if (rows.empty() || rows.size() != y.size() || rows.size() != sigma.size()) return std::nullopt;
  const std::size_t p = rows.front().size();
  if (p == 0 || rows.size() < p) return std::nullopt;
  Matrix normal(p, std::vector<double>(p, 0.0));
  std::vector<double> rhs(p, 0.0);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].size() != p || !Usable(sigma[i])) return std::nullopt;
    const double w = 1.0 / (sigma[i] * sigma[i]);
    for (std::size_t j = 0; j < p; ++j) {
      rhs[j] += w * rows[i][j] * y[i];
      for (std::size_t k = 0; k < p; ++k) normal[j][k] += w * rows[i][j] * rows[i][k];
    }
  }
  std::vector<double> columnScale(p);
  for (std::size_t j = 0; j < p; ++j) {
    if (!(normal[j][j] > 0.0) || !std::isfinite(normal[j][j])) return std::nullopt;
    columnScale[j] = 1.0 / std::sqrt(normal[j][j]);
  }
  Matrix scaled = normal;
  for (std::size_t j = 0; j < p; ++j) {
    for (std::size_t k = 0; k < p; ++k) scaled[j][k] *= columnScale[j] * columnScale[k];
  }
  std::optional<Matrix> inverse = InvertSymmetric(scaled);
  if (!inverse) return std::nullopt;
  LinearFit fit;
  fit.covariance = std::move(*inverse);
  for (std::size_t j = 0; j < p; ++j) {
    for (std::size_t k = 0; k < p; ++k) fit.covariance[j][k] *= columnScale[j] * columnScale[k];
  }
  fit.parameters.assign(p, 0.0);
  for (std::size_t j = 0; j < p; ++j) {
    for (std::size_t k = 0; k < p; ++k) fit.parameters[j] += fit.covariance[j][k] * rhs[k];
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    double model = 0.0;
    for (std::size_t j = 0; j < p; ++j) model += rows[i][j] * fit.parameters[j];
    const double r = (y[i] - model) / sigma[i];
    fit.chisq += r * r;
  }
  return fit;
}

double ScatterFactor(double chisq, int n, int p) {
  if (n <= p) return 1.0;
  const double reduced = chisq / (n - p);
  return reduced > 1.0 && std::isfinite(reduced) ? reduced : 1.0;
}
