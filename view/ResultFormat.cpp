#include "view/ResultFormat.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "fit/PeakModel.h"
#include "view/PeakParameters.h"
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
double PeakPlusBackground(const PeakTable& t, int j, double x, double bg) {
  const double u = (x - t.m_position[j]) / t.m_width[j];
  if (g_function == kGaussian) return t.m_height[j] * std::exp(-(u * u)) + bg;
  return t.m_height[j] / (u * u + 1.0) + bg;
}

void AppendSampleRow(std::string& out, const CTavView& v, const std::vector<double>& a, int s) {
  const PeakTable& t = v.Peaks();
  const double x = v.SampleX(s);
  const double bg = x * t.m_bgA + t.m_bgB;
  AppendFixed(out, x, ' ');
  if (IsPeakShape(g_function)) {
    for (int j = 1; j <= t.m_nPeak; ++j) AppendFixed(out, PeakPlusBackground(t, j, x, bg), ' ');
  }
  double total = 0.0;
  peakvalue(x, a.data(), total, ParameterCount(v));
  AppendFixed(out, total, ' ');
  AppendFixed(out, bg, '\n');
}

}  // namespace

std::string FormatFitResult(const CTavView& v) {
  const PeakTable& t = v.Peaks();
  std::string out = "Height, Position, Width\n";
  for (int k = 1; k <= t.m_nPeak; ++k) {
    AppendFixed(out, t.m_height[k], ',');
    AppendFixed(out, t.m_position[k], ',');
    AppendFixed(out, t.m_width[k], '\n');
  }
  out += "Background (Ax+B) A, B\n";
  AppendFixed(out, t.m_bgA, ',');
  AppendFixed(out, t.m_bgB, '\n');
  out += "Fitting Data\n";
  std::vector<double> a(ParameterCount(v) + 1, 0.0);
  FillFittedParameters(v, a.data());
  for (int s = 0; s < plot::kSamples; ++s) AppendSampleRow(out, v, a, s);
  return out;
}
