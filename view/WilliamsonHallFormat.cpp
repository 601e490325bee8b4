#include "view/WilliamsonHallFormat.h"

#include <cmath>

#include "view/PeakReportFormat.h"

namespace {

std::string Json(const std::optional<double>& value) {
  return FormatJsonNumber(value.value_or(std::nan("")));
}

}  // namespace

std::string FormatWilliamsonHallJson(const WilliamsonHall& wh) {
  const double reduced = wh.line ? wh.line->reducedChisq : std::nan("");
  return "{\"peaks\": " + std::to_string(wh.points.size()) +
         ", \"size_nm\": " + Json(wh.sizeNm.value) + ", \"size_nm_err\": " + Json(wh.sizeNm.error) +
         ", \"strain\": " + Json(wh.strain.value) + ", \"strain_err\": " + Json(wh.strain.error) +
         ", \"reduced_chisq\": " + FormatJsonNumber(reduced) +
         ", \"errors_scaled\": " + (wh.line && wh.line->errorsScaled ? "true" : "false") + "}";
}
