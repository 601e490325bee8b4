#include "commands/FitMessage.h"

#include <cstdio>

#include "fit/PeakReport.h"
#include "fit/PeakShapes.h"
#include "text/Translate.h"
#include "text/UncertainText.h"

namespace {

std::string ShapeName(int shape) {
  const PeakShape* found = FindPeakShape(shape);
  return found != nullptr ? Translated(found->dialogLabel) : std::string("?");
}

std::string ConvergenceText(const FitStatistics& statistics) {
  const std::string steps = std::to_string(statistics.steps);
  return statistics.converged
             ? TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 回の反復で収束しました"), {steps})
             : TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 回の反復で収束していません"), {steps});
}

std::string ChiSquareText(double chisq) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", chisq);
  return text;
}

}  // namespace

std::string DetailedFitMessage(const PeakReport& report) {
  std::string text =
      TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 でフィット: χ² = %2、%3"),
                       {ShapeName(report.shape), ChiSquareText(report.statistics.chisq),
                        ConvergenceText(report.statistics)});
  if (!report.peaks.empty() && report.peaks.front().height.value) {
    const Estimate& height = report.peaks.front().height;
    text += '\n';
    text += TranslatedFormat(QT_TRANSLATE_NOOP("tav", "ピーク 1 の高さ: %1"),
                             {UncertainText(*height.value, height.error)});
  }
  return text;
}
