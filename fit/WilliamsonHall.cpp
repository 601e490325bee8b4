#include "fit/WilliamsonHall.h"

#include <cmath>
#include <numbers>

#include "text/Translate.h"

namespace {

constexpr double kNmPerAngstrom = 0.1;

double FourSinTheta(double position) {
  return 4.0 * std::sin(0.5 * position * std::numbers::pi / 180.0);
}

const Estimate& BreadthOf(const PeakResult& peak, BreadthMeasure measure) {
  return measure == BreadthMeasure::kFwhm ? peak.fwhmCosTheta : peak.integralBreadthCosTheta;
}

bool Known(const std::optional<double>& v) { return v && std::isfinite(*v); }

std::vector<WilliamsonHallPoint> UsablePoints(const PeakReport& report, BreadthMeasure measure,
                                              std::vector<std::string>& notes) {
  std::vector<WilliamsonHallPoint> points;
  for (const PeakResult& peak : report.peaks) {
    const Estimate& term = BreadthOf(peak, measure);
    const std::string number = std::to_string(peak.peak);
    if (!Known(peak.height.value) || !(*peak.height.value > 0.0)) {
      notes.push_back(TranslatedFormat(
          QT_TRANSLATE_NOOP("tav",
                            "ピーク %1: 高さが正でないため、Williamson–Hall 解析から除きました"),
          {number}));
    } else if (!Known(term.value) || !Known(peak.position.value)) {
      notes.push_back(TranslatedFormat(
          QT_TRANSLATE_NOOP(
              "tav", "ピーク %1: 試料の幅が求められないため、Williamson–Hall 解析から除きました"),
          {number}));
    } else if (!Known(term.error) || !(*term.error > 0.0)) {
      notes.push_back(TranslatedFormat(
          QT_TRANSLATE_NOOP(
              "tav",
              "ピーク %1: β cos θ の不確かさが不明のため、Williamson–Hall 解析から除きました"),
          {number}));
    } else {
      points.push_back({peak.peak, FourSinTheta(*peak.position.value), *term.value, *term.error});
    }
  }
  return points;
}

// D = K·λ/intercept (nm) with its uncertainty, or a note for an intercept
// that gives no size.
void AddSize(WilliamsonHall& wh, const ReportSettings& settings) {
  const StraightLine& line = *wh.line;
  if (!(line.intercept > 0.0)) {
    wh.notes.push_back(Translated(QT_TRANSLATE_NOOP(
        "tav", "切片が正でない（ひずみによる広がりが支配的）ため、結晶子径は求められません")));
    return;
  }
  const double nm = settings.scherrerK * *settings.wavelength / line.intercept * kNmPerAngstrom;
  wh.sizeNm.value = nm;
  wh.sizeNm.error = nm * line.interceptError / line.intercept;
}

}  // namespace

std::optional<StraightLine> FitWeightedLine(const std::vector<WilliamsonHallPoint>& points) {
  if (points.size() < 2) return std::nullopt;
  double s = 0.0, sx = 0.0, sy = 0.0, sxx = 0.0, sxy = 0.0;
  for (const WilliamsonHallPoint& p : points) {
    const double w = 1.0 / (p.error * p.error);
    s += w;
    sx += w * p.x;
    sy += w * p.y;
    sxx += w * p.x * p.x;
    sxy += w * p.x * p.y;
  }
  const double delta = s * sxx - sx * sx;
  if (!(delta > 0.0) || !std::isfinite(delta)) return std::nullopt;
  StraightLine line;
  line.intercept = (sxx * sy - sx * sxy) / delta;
  line.slope = (s * sxy - sx * sy) / delta;
  line.interceptError = std::sqrt(sxx / delta);
  line.slopeError = std::sqrt(s / delta);
  for (const WilliamsonHallPoint& p : points) {
    const double r = (p.y - line.intercept - line.slope * p.x) / p.error;
    line.chisq += r * r;
  }
  const std::size_t dof = points.size() - 2;
  line.reducedChisq = dof > 0 ? line.chisq / static_cast<double>(dof) : std::nan("");
  if (line.reducedChisq > 1.0 && std::isfinite(line.reducedChisq)) {
    const double scale = std::sqrt(line.reducedChisq);
    line.interceptError *= scale;
    line.slopeError *= scale;
    line.errorsScaled = true;
  }
  return line;
}

WilliamsonHall AnalyseWilliamsonHall(const PeakReport& report, const ReportSettings& settings,
                                     BreadthMeasure measure) {
  WilliamsonHall wh;
  wh.points = UsablePoints(report, measure, wh.notes);
  wh.line = FitWeightedLine(wh.points);
  if (!wh.line) return wh;
  wh.strain.value = wh.line->slope;
  wh.strain.error = wh.line->slopeError;
  if (settings.wavelength) AddSize(wh, settings);
  return wh;
}
