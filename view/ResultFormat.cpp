#include "view/ResultFormat.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "fit/PeakModel.h"
#include "profile/ProfileWriters.h"
#include "text/Translate.h"
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

// One single-line Gaussian or Lorentzian peak of the table on the
// background, as the result file has always computed it.
double ClassicPeakPlusBackground(int shape, const PeakTable& t, int j, double x, double bg) {
  const double u = (x - t.m_position[j]) / t.m_width[j];
  if (shape == kGaussian) return t.m_height[j] * std::exp(-(u * u)) + bg;
  return t.m_height[j] / (u * u + 1.0) + bg;
}

// One row of the sampled section: X, each peak on the background (while
// the shape is a peak shape), the total model and the background.
struct SampleRow {
  double x = 0.0;
  std::vector<double> peaks;
  double total = 0.0;
  double background = 0.0;
};

SampleRow MakeSampleRow(const CTavView& v, const PeakModel& model, const std::vector<double>& a,
                        int s) {
  const PeakTable& t = v.Peaks();
  const int npar = ParameterCount(v);
  const int shape = model.Shape();
  // Every other shape and the doublet (both lines in one column) take the
  // model itself for each peak.
  const bool line = model.Background().IsLine();
  const bool classic = (shape == kGaussian || shape == kLorentzian) && !model.Doublet().on && line;
  SampleRow row;
  row.x = v.SampleX(s);
  row.background = line ? row.x * t.m_bgA + t.m_bgB : model.BackgroundAt(row.x, a.data(), npar);
  if (IsPeakShape(shape)) {
    for (int j = 1; j <= t.m_nPeak; ++j) {
      row.peaks.push_back(classic ? ClassicPeakPlusBackground(shape, t, j, row.x, row.background)
                                  : OnePeakValue(model, a.data(), npar, j, row.x));
    }
  }
  model.Value(row.x, a.data(), row.total, npar);
  return row;
}

void AppendSampleRow(std::string& out, const SampleRow& row) {
  AppendFixed(out, row.x, ' ');
  for (const double value : row.peaks) AppendFixed(out, value, ' ');
  AppendFixed(out, row.total, ' ');
  AppendFixed(out, row.background, '\n');
}

std::vector<double> FittedParameters(const CTavView& v) {
  std::vector<double> a(ParameterCount(v) + 1, 0.0);
  FillFittedParameters(v, a.data());
  return a;
}

std::string PeakName(std::size_t k) {
  return TranslatedFormat(QT_TRANSLATE_NOOP("tav", "ピーク %1 の"), {std::to_string(k)});
}

// The first term of a background series that is not a finite number, as a
// refusal; empty when there is none.
std::string SeriesUnwritable(const BackgroundBasis& background, const std::vector<double>& a) {
  const int first = static_cast<int>(a.size()) - background.Terms();
  for (int k = 0; k < background.Terms(); ++k) {
    if (const double c = a[static_cast<std::size_t>(first + k)]; !std::isfinite(c)) {
      return NotFiniteMessage(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "背景の %1"),
                                               {BackgroundTermName(background.order, k)}),
                              c);
    }
  }
  return {};
}

// The first value of the table's section or the background's that is not a
// finite number, as a refusal; empty when there is none.
std::string TableUnwritable(const PeakTable& t, int shape, const std::vector<double>& a,
                            const BackgroundBasis& background) {
  const PeakShape* s = FindPeakShape(shape);
  const int per = PeakParameterCount(shape);
  for (int k = 1; k <= t.m_nPeak; ++k) {
    const std::pair<const char*, double> values[] = {
        {QT_TRANSLATE_NOOP("tav", "高さ"), t.m_height[k]},
        {QT_TRANSLATE_NOOP("tav", "位置"), t.m_position[k]},
        {QT_TRANSLATE_NOOP("tav", "幅"), t.m_width[k]}};
    for (const auto& [name, value] : values) {
      if (!std::isfinite(value)) return NotFiniteMessage(PeakName(k) + Translated(name), value);
    }
    for (int m = kShapeParameter; m < per; ++m) {
      if (const double q = a[per * (k - 1) + 1 + m]; !std::isfinite(q))
        return NotFiniteMessage(PeakName(k) + Translated(s->valueNames[m]), q);
    }
  }
  if (!background.IsLine()) return SeriesUnwritable(background, a);
  if (!std::isfinite(t.m_bgA))
    return NotFiniteMessage(Translated(QT_TRANSLATE_NOOP("tav", "背景の傾き")), t.m_bgA);
  return NotFiniteMessage(Translated(QT_TRANSLATE_NOOP("tav", "背景の切片")), t.m_bgB);
}

// The first value of sampled row s that is not a finite number, as a refusal
// naming the row (counted from 1) and its column; empty when there is none.
std::string SampleRowUnwritable(const SampleRow& row, int s) {
  const auto refuse = [s](const std::string& column, double value) {
    return NotFiniteMessage(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "フィットデータ %1 行目の"),
                                             {std::to_string(s + 1)}) +
                                column,
                            value);
  };
  if (!std::isfinite(row.x)) return refuse(XValueName(), row.x);
  for (std::size_t j = 0; j < row.peaks.size(); ++j) {
    if (!std::isfinite(row.peaks[j]))
      return refuse(PeakName(j + 1) + Translated(QT_TRANSLATE_NOOP("tav", "値")), row.peaks[j]);
  }
  if (!std::isfinite(row.total))
    return refuse(Translated(QT_TRANSLATE_NOOP("tav", "合計")), row.total);
  return refuse(Translated(QT_TRANSLATE_NOOP("tav", "背景")), row.background);
}

// The background's header and terms: the line's A and B as always, a series'
// c0…cN with the window its t spans.
void AppendBackgroundSection(std::string& out, const PeakTable& t,
                             const BackgroundBasis& background, const std::vector<double>& a) {
  if (background.IsLine()) {
    out += "Background (Ax+B) A, B\n";
    AppendFixed(out, t.m_bgA, ',');
    AppendFixed(out, t.m_bgB, '\n');
    return;
  }
  out += "Background (Chebyshev, t = (2x - (Xmin + Xmax)) / (Xmax - Xmin)) Xmin, Xmax";
  for (int k = 0; k < background.Terms(); ++k)
    out += ", " + BackgroundTermName(background.order, k);
  out += "\n";
  AppendFixed(out, background.lo, ',');
  AppendFixed(out, background.hi, ',');
  const std::size_t first = a.size() - static_cast<std::size_t>(background.Terms());
  for (std::size_t i = first; i < a.size(); ++i)
    AppendFixed(out, a[i], i + 1 < a.size() ? ',' : '\n');
}

}  // namespace

std::string FormatFitResult(const CTavView& v) {
  const PeakModel model = ModelOf(v);
  const PeakTable& t = v.Peaks();
  const std::vector<double> a = FittedParameters(v);
  const PeakShape* shape = FindPeakShape(model.Shape());
  const int per = PeakParameterCount(model.Shape());
  std::string out = shape != nullptr ? shape->resultHeader : "Height, Position, Width";
  out += "\n";
  for (int k = 1; k <= t.m_nPeak; ++k) {
    AppendFixed(out, t.m_height[k], ',');
    AppendFixed(out, t.m_position[k], ',');
    AppendFixed(out, t.m_width[k], per > kShapeParameter ? ',' : '\n');
    for (int m = kShapeParameter; m < per; ++m)
      AppendFixed(out, a[per * (k - 1) + 1 + m], m + 1 < per ? ',' : '\n');
  }
  AppendBackgroundSection(out, t, model.Background(), a);
  out += "Fitting Data\n";
  for (int s = 0; s < plot::kSamples; ++s) AppendSampleRow(out, MakeSampleRow(v, model, a, s));
  return out;
}

std::string FitResultUnwritable(const CTavView& v) {
  const PeakModel model = ModelOf(v);
  const std::vector<double> a = FittedParameters(v);
  if (std::string problem = TableUnwritable(v.Peaks(), model.Shape(), a, model.Background());
      !problem.empty())
    return problem;
  for (int s = 0; s < plot::kSamples; ++s) {
    if (std::string problem = SampleRowUnwritable(MakeSampleRow(v, model, a, s), s);
        !problem.empty()) {
      return problem;
    }
  }
  return {};
}
