#include "fit/ResultExport.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "fit/PeakModel.h"
#include "fit/PeakParameters.h"
#include "view/SaveThroughDialog.h"
#include "view/TavView.h"

namespace {

// printf's "%f" in the C locale, whatever locale the process runs in.
void AppendFixed(std::string& out, double value, char separator) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  out.append(buffer, result.ptr);
  out.push_back(separator);
}

// One peak of the table on the background, in the shape of g_function.
double PeakPlusBackground(const CTavView& v, int j, double x, double bg) {
  const double u = (x - v.m_position[j]) / v.m_width[j];
  if (g_function == 0) return v.m_height[j] * std::exp(-(u * u)) + bg;
  return v.m_height[j] / (u * u + 1.0) + bg;
}

void AppendSampleRow(std::string& out, const CTavView& v, const std::vector<double>& a, int s) {
  const int n = v.m_nPeak;
  const double x = v.SampleX(s);
  const double bg = x * v.m_bgA + v.m_bgB;
  AppendFixed(out, x, ' ');
  if (g_function == 0 || g_function == 1) {
    for (int j = 1; j <= n; ++j) AppendFixed(out, PeakPlusBackground(v, j, x, bg), ' ');
  }
  double total = 0.0;
  peakvalue(x, a.data(), total, 3 * n + 2);
  AppendFixed(out, total, ' ');
  AppendFixed(out, bg, '\n');
}

}  // namespace

std::string FormatFitResult(const CTavView& v) {
  std::string out = "Height, Position, Width\n";
  for (int k = 1; k <= v.m_nPeak; ++k) {
    AppendFixed(out, v.m_height[k], ',');
    AppendFixed(out, v.m_position[k], ',');
    AppendFixed(out, v.m_width[k], '\n');
  }
  out += "Background (Ax+B) A, B\n";
  AppendFixed(out, v.m_bgA, ',');
  AppendFixed(out, v.m_bgB, '\n');
  out += "Fitting Data\n";
  std::vector<double> a(3 * v.m_nPeak + 3, 0.0);
  FillFittedParameters(v, a.data());
  for (int s = 0; s < CTavView::kSamples; ++s) AppendSampleRow(out, v, a, s);
  return out;
}

void CTavView::OnSaveResult() {
  SaveThroughDialog(m_host, [this] { return FormatFitResult(*this); });
}
