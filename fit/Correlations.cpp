#include "fit/Correlations.h"

#include <charconv>
#include <cmath>
#include <cstddef>

#include "text/Translate.h"

namespace {

std::string ThreeDecimals(double r) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, r, std::chars_format::fixed, 3);
  return std::string(buffer, result.ptr);
}

// The parameters the fit varied on their own: not held (no variance) and
// not following another one (a shared width has the very row of the first
// width that follows it).
std::vector<int> FreeParameters(const ParameterCovariance& c) {
  std::vector<int> free;
  for (int j = 1; j <= c.Size(); ++j) {
    if (!(c(j, j) > 0.0)) continue;
    bool follows = false;
    for (const int k : free) {
      bool same = true;
      for (int l = 1; l <= c.Size() && same; ++l) same = c(j, l) == c(k, l);
      follows = follows || same;
    }
    if (!follows) free.push_back(j);
  }
  return free;
}

}  // namespace

std::vector<std::string> ParameterNames(int shape, int npar, int backgroundOrder) {
  std::vector<std::string> names;
  const PeakShape* description = FindPeakShape(shape);
  const int per = PeakParameterCount(shape);
  const int terms = BackgroundTermCount(backgroundOrder);
  for (int i = 1; i <= npar - terms; ++i) {
    const int peak = (i - 1) / per + 1;
    const int m = (i - 1) % per;
    const std::string name = description != nullptr ? description->parameterNames[m] : "p";
    names.push_back(name + "_" + std::to_string(peak));
  }
  if (npar >= terms) {
    for (int k = 0; k < terms; ++k) names.push_back(BackgroundTermName(backgroundOrder, k));
  }
  return names;
}

Correlations CorrelationsOf(const PeakReport& report) {
  const ParameterCovariance& c = report.covariance;
  Correlations out;
  const int order = report.background.order;
  const std::vector<std::string> all =
      ParameterNames(report.shape, c.Known() ? c.Size() : 0, order);
  if (!c.Known()) {
    out.names = ParameterNames(report.shape, report.statistics.npar, order);
    return out;
  }
  const std::vector<int> free = FreeParameters(c);
  for (const int j : free) out.names.push_back(all[static_cast<std::size_t>(j - 1)]);
  const int n = static_cast<int>(free.size());
  out.matrix.reserve(static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
  for (const int j : free) {
    for (const int k : free) {
      const double scale = std::sqrt(c(j, j) * c(k, k));
      out.matrix.push_back(j == k ? 1.0 : c(j, k) / scale);
    }
  }
  for (int j = 1; j <= n; ++j) {
    for (int k = j + 1; k <= n; ++k) {
      const double r = out.matrix[static_cast<std::size_t>((j - 1) * n + k - 1)];
      if (!(std::fabs(r) > kStrongCorrelation)) continue;
      out.notes.push_back(TranslatedFormat(
          QT_TRANSLATE_NOOP("tav", "%1 と %2 の相関が %3 です: データからはほとんど区別できません"),
          {out.names[static_cast<std::size_t>(j - 1)], out.names[static_cast<std::size_t>(k - 1)],
           ThreeDecimals(r)}));
    }
  }
  return out;
}
