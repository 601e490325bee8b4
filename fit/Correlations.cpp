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

}  // namespace

std::vector<std::string> ParameterNames(int shape, int npar) {
  std::vector<std::string> names;
  const PeakShape* description = FindPeakShape(shape);
  const int per = PeakParameterCount(shape);
  for (int i = 1; i <= npar - 2; ++i) {
    const int peak = (i - 1) / per + 1;
    const int m = (i - 1) % per;
    const std::string name = description != nullptr ? description->parameterNames[m] : "p";
    names.push_back(name + "_" + std::to_string(peak));
  }
  if (npar >= 2) {
    names.emplace_back("slope");
    names.emplace_back("intercept");
  }
  return names;
}

Correlations CorrelationsOf(const PeakReport& report) {
  const ParameterCovariance& c = report.covariance;
  Correlations out;
  out.names = ParameterNames(report.shape, report.statistics.npar);
  if (!c.Known() || c.Size() != report.statistics.npar) return out;
  const int n = c.Size();
  out.matrix.reserve(static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
  for (int j = 1; j <= n; ++j) {
    for (int k = 1; k <= n; ++k) {
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
