#include "view/PeakReportFormat.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace {

// printf's "%.<digits>g" in the C locale, whatever locale the process runs in.
std::string General(double value, int digits) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  return std::string(buffer, result.ptr);
}

std::string Cell(const std::optional<double>& value) {
  if (!value || !std::isfinite(*value)) return "";
  return General(*value, 10);
}

void AppendPair(std::string& out, const Estimate& e) {
  out += ',';
  out += Cell(e.value);
  out += ',';
  out += Cell(e.error);
}

std::string JsonNumber(double value) { return std::isfinite(value) ? General(value, 17) : "null"; }

}  // namespace

std::string PeakTableCsvHeader() {
  return "peak,shape,position,position_err,height,height_err,fwhm,fwhm_err,area,area_err,"
         "shape_param,shape_param_err,d,d_err,size_nm,size_nm_err";
}

std::array<const Estimate*, kPeakRowEstimates + 2> RowEstimates(const PeakResult& peak) {
  return {&peak.position, &peak.height,         &peak.fwhm,
          &peak.area,     &peak.shapeParameter, &peak.dSpacing,
          &peak.sizeNm,   &peak.asymmetry,      &peak.shapeParameterRight};
}

std::string FormatPeakRowCsv(const PeakResult& peak) {
  std::string out = std::to_string(peak.peak);
  out += ',';
  if (peak.shape != nullptr) out += peak.shape->name;
  const auto estimates = RowEstimates(peak);
  for (std::size_t i = 0; i < kPeakRowEstimates; ++i) AppendPair(out, *estimates[i]);
  return out;
}

std::string SplitHalfCsvHeader() {
  return ",asymmetry,asymmetry_err,shape_param_right,shape_param_right_err";
}

std::string FormatSplitHalfCsv(const PeakResult& peak) {
  std::string out;
  const auto estimates = RowEstimates(peak);
  for (std::size_t i = kPeakRowEstimates; i < estimates.size(); ++i) AppendPair(out, *estimates[i]);
  return out;
}

std::string FormatCsvNumber(double value) { return Cell(value); }

std::string FormatCorrelationsJson(const Correlations& c) {
  std::string out = "{\"parameters\": [";
  for (std::size_t j = 0; j < c.names.size(); ++j) {
    if (j > 0) out += ", ";
    out += "\"" + c.names[j] + "\"";
  }
  out += "], \"correlations\": ";
  if (c.matrix.empty()) return out + "null}";
  const std::size_t n = c.names.size();
  out += "[";
  for (std::size_t j = 0; j < n; ++j) {
    out += j > 0 ? ", [" : "[";
    for (std::size_t k = 0; k < n; ++k) {
      if (k > 0) out += ", ";
      out += JsonNumber(c.matrix[j * n + k]);
    }
    out += "]";
  }
  return out + "]}";
}

std::string FormatJsonNumber(double value) { return JsonNumber(value); }

std::string FormatBackgroundTermsCsv(const PeakReport& report) {
  const BackgroundBasis& b = report.background;
  if (b.IsLine()) return "";
  std::string out =
      "term,value,value_err\nwindow_min," + Cell(b.lo) + ",\nwindow_max," + Cell(b.hi) + ",\n";
  for (std::size_t k = 0; k < report.backgroundTerms.size(); ++k) {
    out += BackgroundTermName(b.order, static_cast<int>(k));
    AppendPair(out, report.backgroundTerms[k]);
    out += '\n';
  }
  return out;
}

std::string FormatPeakTableCsv(const PeakReport& report) {
  std::string out = PeakTableCsvHeader() + SplitHalfCsvHeader() + '\n';
  for (const PeakResult& peak : report.peaks) {
    out += FormatPeakRowCsv(peak);
    out += FormatSplitHalfCsv(peak);
    out += '\n';
  }
  if (!report.background.IsLine()) out += '\n' + FormatBackgroundTermsCsv(report);
  return out;
}

std::string FormatFitStatisticsJson(const FitStatistics& s) {
  return "{\"npt\": " + std::to_string(s.npt) + ", \"npar\": " + std::to_string(s.npar) +
         ", \"chisq\": " + JsonNumber(s.chisq) +
         ", \"reduced_chisq\": " + JsonNumber(s.reducedChisq) + ", \"rwp\": " + JsonNumber(s.rwp) +
         ", \"rp\": " + JsonNumber(s.rp) + ", \"converged\": " + (s.converged ? "true" : "false") +
         ", \"steps\": " + std::to_string(s.steps) + ", \"weights\": \"" +
         FitWeightsName(s.weights) + "\", \"rexp\": " + JsonNumber(s.rexp) +
         ", \"gof\": " + JsonNumber(s.gof) + "}";
}
